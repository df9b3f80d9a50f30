#pragma once
// The current puzzle: pieces, groups, selection, the puzzle's own options and the
// player's play preferences. One instance lives for the whole run.
#include "cutting/PictureCopy.h"
#include "platform/WinTypes.h"
#include "play/Board.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/OrderedList.h"
#include "position/CPositionFile.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CSurface;
struct DecodedImage;
class CMouseController;
class CGameClock;
class IPlatform;

// What dropping the selection did: nothing, joined groups, or joined the last two.
enum class DropResult { Nothing, Joined, Completed };

// The puzzle's own options, read from its archive.
struct PuzzleOptions {
    std::string title;          // at most 1023 characters
    std::string completionText; // at most 1023 characters
    std::string cutName;        // at most 1023 characters
    std::int32_t ghostPermission = 1;
    std::int32_t previewPermission = 1;
    std::int32_t targetHours = 0;
    std::int32_t targetMinutes = 0;
    std::int32_t pictureFormat = 0;
};

class CPuzzle {
  public:
    CPuzzle();
    virtual ~CPuzzle();
    CPuzzle(const CPuzzle&) = delete;
    CPuzzle& operator=(const CPuzzle&) = delete;

    // --- Model (play/) ---------------------------------------------------------------------
    CPiece* PieceAt(int col, int row) const;
    void CountGroups();
    // Destroys pieces, groups and the selection (start of every load).
    void ClearPieces();
    void ClearGroups();
    // A new empty group owned by this puzzle; the caller appends it to `groups`.
    CPieceGroup* NewGroup();
    // The angular cut leaves out every piece whose four sides all carry a slot of 4 or more.
    bool IsLeftOutPiece(const CPiece* piece) const;
    // Width and height of the picture the pieces are cut from.
    int PictureWidth() const;
    int PictureHeight() const;

    // --- Selection, dragging and dropping (play/) ------------------------------------------
    // 0 nothing selected was hit, 1 hit (start dragging), 2 hit and deselected (ctrl): the
    // caller redraws.
    int PickSelected(int bx, int by, bool ctrl);
    // True when a group was hit; the shift state is accepted and ignored.
    bool Pick(int bx, int by, bool ctrl, bool shift = false);
    void AddToSelection(CPieceGroup* group, bool bringToFront = true);
    void Deselect(CPieceGroup* group);
    void ClearSelection();
    void BringSelectionToFront();
    void UpdateSelectionOffsets();
    void DragSelectionTo(int bx, int by);
    void SelectInRect(int l, int t, int r, int b);
    // Tries every selected group for a join and recounts the groups when one joined.
    DropResult DropSelection();
    // The "Well Done!" text: the puzzle's own, or the time taken and the target time.
    std::string CompletionMessage(std::uint32_t secondsPlayed) const;
    // True when the selection turned (rotation on, something selected, no load running).
    bool RotateSelection();

    // --- New game, scatter, arrange (play/) -----------------------------------------------
    void NewGame();
    void Scatter();
    POINT RandomFreeSpot();
    // False when the saved groups named cells that are missing or already placed.
    bool RestoreGroups();
    // Waits for the loader to end and counts the groups; the caller shows the puzzle.
    void FinishLoad();
    // Lays the loose pieces out round the picture's area; false when there was nothing to do.
    bool AutoArrange();

    // --- Board and scatter area (play/) ----------------------------------------------------
    // The whole board and a scatter area sized from the screen, with the view centred on it.
    void InitBoardView();
    // The board's extent (left and top forced to 0) and both scroll ranges.
    void SetBoardExtent(int left, int top, int right, int bottom);
    // A w x h area centred on the board for new pieces; `centre` also centres the view.
    void SetScatterArea(int w, int h, bool centre);
    // Screen size when the puzzle was made (for the start-up scatter area).
    std::int32_t screenWidth = 0, screenHeight = 0;

    // --- Loading (pack/) ------------------------------------------------------------------
    // `decoded`, when given, holds the bitmap file's pixels, so the file need not be read back.
    bool StartCutting(const std::string& picturePath, bool keepPreview, const DecodedImage* decoded = nullptr);
    void RebuildPieceImages();
    // Asks the workers to stop and waits for them (bounded); used at shutdown and before a
    // new load so no worker ever runs over freed pieces.
    void StopWorkers();
    // Re-cuts the puzzle of the position file at `path` with its saved shapes; the groups
    // follow when the cut ends. False, with the current puzzle left as it is, when there is
    // no usable position.
    bool LoadPosition(const std::string& path, CGameClock* clock, IPlatform* platform);

    // --- Play state -------------------------------------------------------------------------
    OrderedList<CPieceGroup> selection;                // not owned
    OrderedList<CPieceGroup> groups;                   // head on top; owned through ownedGroups
    std::vector<std::unique_ptr<CPieceGroup>> ownedGroups;
    std::vector<std::unique_ptr<CPiece>> pieces;       // row-major, cols x rows
    std::unique_ptr<CMouseController> mouse;
    std::int32_t cols = 0, rows = 0;
    std::int32_t positionChanged = 0;
    RECT boardRect{0, 0, kBoardSize, kBoardSize};
    RECT scatterArea{0, 0, kBoardSize, kBoardSize};
    std::int32_t totalPieces = 0;
    std::int32_t loosePieces = 0;
    float percentCompleted = 0.0f;
    std::int32_t percentWhole = 0;
    std::int32_t targetHours = 0, targetMinutes = 0;
    std::string completionText;
    std::int32_t cutStyle = 0;
    std::int32_t restoringPosition = 0;
    CPositionFile savedPosition;

    // --- Preferences (read at start, written at exit) ---------------------------------------
    std::int32_t soundeffects = 1;
    std::int32_t shadow = 1;
    std::int32_t ghostaplha = 30;
    std::int32_t beveling = 1;
    std::int32_t bevellevel = 1;
    std::int32_t userotation = 0;
    std::int32_t useMusic = 1;

    // --- Puzzle options and loading -----------------------------------------------------------
    PuzzleOptions options;
    std::string archivePath;       // last archive loaded
    std::string currentPicturePath; // the BMP the pieces are cut from
    CSurface* pictureSurface = nullptr;  // owned
    CSurface* selectorSurface = nullptr; // owned
    std::atomic<float> progress{0.0f};
    std::int32_t loaderMode = 0; // 0 cut, 1 rebuild images
    // Set from the start of the loader until the main thread has handled its end message.
    std::atomic<bool> loaderBusy{false};
    std::atomic<bool> stopRequested{false};
    std::thread loaderThread;
    std::thread progressThread;

    // --- Cutting (cutting/) ---------------------------------------------------------------
    PictureCopy pictureCopy;            // the picture's pixels, sampled by every piece
};
