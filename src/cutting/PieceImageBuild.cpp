// Building the images of every piece: the masks looked up in piece order on the calling
// thread (the cache is shared), then the new masks' outlines and the piece images on as
// many threads as the machine has cores. A mask depends only on its key and a piece's
// images only on its own masks and the picture copy, so the result is the same whatever
// thread builds what.
#include "cutting/PieceImages.h"

#include "cutting/CMaskCache.h"
#include "cutting/CPieceMask.h"
#include "cutting/CutContext.h"
#include "play/CPiece.h"
#include "play/CPuzzle.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {
// Runs job(i) for i in [0, count) on the calling thread and helpers, one per core; stops
// taking new work once `stop` is set or a job throws. The first exception is rethrown
// after every thread has ended.
template <typename Job> void ParallelFor(std::size_t count, const std::atomic<bool>& stop, Job&& job) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto work = [&] {
        try {
            for (;;) {
                if (stop || failed) return;
                const std::size_t i = next.fetch_add(1);
                if (i >= count) return;
                job(i);
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure) failure = std::current_exception();
            failed = true;
        }
    };
    // Jobs are small: a thread only pays for itself with a few dozen of them.
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
}
} // namespace

bool BuildAllPieceImages(const CutContext& context, CPuzzle* puzzle) {
    const std::size_t count = puzzle->pieces.size();
    if (context.maskCache) context.maskCache->Defer();
    try {
        for (auto& piece : puzzle->pieces) {
            if (puzzle->stopRequested) break;
            if (piece) piece->AssignMasks(context, *puzzle);
        }
    } catch (...) {
        if (context.maskCache) context.maskCache->TakeDeferred(); // later lookups draw again
        throw;
    }
    // Undrawn masks must not outlive a stop: draw what was handed out either way.
    if (context.maskCache) {
        const std::vector<CPieceMask*> outlines = context.maskCache->TakeDeferred();
        const std::atomic<bool> never{false};
        ParallelFor(outlines.size(), never, [&](std::size_t i) { outlines[i]->DrawOutline(context); });
    }
    if (puzzle->stopRequested) return false;

    std::atomic<std::size_t> done{0};
    ParallelFor(count, puzzle->stopRequested, [&](std::size_t i) {
        if (CPiece* piece = puzzle->pieces[i].get()) piece->PaintImages(context, *puzzle);
        const std::size_t finished = done.fetch_add(1) + 1;
        puzzle->progress = static_cast<float>(static_cast<double>(finished) / static_cast<double>(count) * 100.0);
    });
    return !puzzle->stopRequested;
}
