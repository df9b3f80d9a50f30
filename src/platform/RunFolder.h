#pragma once
// One running copy's folder for its transient files (pictures being cut, sounds, banner
// frames...), inside the state folder so that two copies never share a file name. The folder
// holds a lock file locked for the whole run; a folder whose lock nobody holds belonged to a
// copy that ended without removing it, and the next copy to start removes it.
#include <cstdint>
#include <string>

class RunFolder {
  public:
    // Makes "run-XXXXXX" in `stateFolder` (a private folder ending in a separator) after
    // removing the folders of copies no longer running. Path() is empty when that fails.
    explicit RunFolder(std::string stateFolder);
    // Removes the folder and everything in it.
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& StateFolder() const { return state_; }
    // This copy's folder, ending in a separator; empty when none could be made.
    const std::string& Path() const { return path_; }
    // The log's file name in the state folder: "DUVereLog.txt" for the copy that holds the
    // log's lock (the first one running), "DUVereLog-XXXXXX.txt" after its run folder for
    // any other, so no copy ever empties another's log.
    const std::string& LogName() const { return logName_; }

  private:
    void RemoveLeftovers();

    std::string state_, path_, logName_;
    std::intptr_t runLock_ = -1, logLock_ = -1;
};
