// Building the images of every piece: the masks in piece order on the calling thread (the
// cache is shared), then the images on as many threads as the machine has cores. Each
// piece's images depend only on its own masks and the picture copy, so the result is the
// same whatever thread builds which piece.
#include "cutting/PieceImages.h"

#include "play/CPiece.h"
#include "play/CPuzzle.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

bool BuildAllPieceImages(const CutContext& context, CPuzzle* puzzle) {
    const std::size_t count = puzzle->pieces.size();
    for (auto& piece : puzzle->pieces) {
        if (puzzle->stopRequested) return false;
        if (piece) piece->AssignMasks(context, *puzzle);
    }

    std::atomic<std::size_t> next{0}, done{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto work = [&] {
        try {
            for (;;) {
                if (puzzle->stopRequested || failed) return;
                const std::size_t i = next.fetch_add(1);
                if (i >= count) return;
                if (CPiece* piece = puzzle->pieces[i].get()) piece->PaintImages(context, *puzzle);
                const std::size_t finished = done.fetch_add(1) + 1;
                puzzle->progress = static_cast<float>(static_cast<double>(finished) / static_cast<double>(count) * 100.0);
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure) failure = std::current_exception();
            failed = true;
        }
    };

    // Pieces are small: a thread only pays for itself with a few dozen of them.
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min(cores, count / 32 + 1) - 1;
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            pool.emplace_back(work);
        } catch (const std::system_error&) {
            break; // fewer threads, same result
        }
    }
    work();
    for (std::thread& thread : pool)
        thread.join();
    if (failure) std::rethrow_exception(failure);
    return !puzzle->stopRequested;
}
