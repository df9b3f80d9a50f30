#pragma once
// Replacing a file the player cares about so that a crash, a kill or a full disk at any
// moment leaves either the old file or the new one whole, never a mixture.
#include <cstdint>
#include <string>
#include <vector>

// Where the new content waits until it replaces `path`: beside it, in the same folder, so
// the rename never crosses a file system.
std::string SiblingPath(const std::string& path);

// Writes `bytes` to the sibling of `path` and flushes them to the disk; `path` itself is
// not touched. False with a reason in `why` when any step fails (the sibling is removed).
bool WriteSiblingFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* why);

// Renames the written sibling over `path`. False with a reason when the rename fails.
bool CommitSiblingFile(const std::string& path, std::string* why);

// Both steps: `path` holds either its old content or all of `bytes`.
bool ReplaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* why);
