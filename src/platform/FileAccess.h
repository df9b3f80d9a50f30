#pragma once
// Plain file access shared by every reader of outside data: one bounded whole-file reader
// and one owner for C file handles.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};
// A C file handle closed when its owner goes.
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads the whole file into `bytes`. False, with the reason in `error` when one is given and
// `bytes` empty, when the file is missing, unreadable or larger than `maxBytes`; a file
// over the bound is refused before anything is allocated for it.
bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string* error);
