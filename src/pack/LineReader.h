#pragma once
// The one rule by which text lines are read from archive entries: a carriage return ends the
// line and the byte after it is dropped, whatever it is; a lone line feed is an ordinary
// character. A line longer than the buffer is split, the rest coming with the next call.

// `nextByte()` returns 0..255 or -1 at the end. Stores at most size - 1 characters and a
// terminating zero; returns how many characters were stored.
template <class NextByte> int ReadLineWith(NextByte&& nextByte, char* buffer, int size) {
    if (size - 1 < 1) {
        if (size >= 1) buffer[0] = '\0';
        return 0;
    }
    int stored = 0;
    while (stored < size - 1) {
        int c = nextByte();
        if (c < 0) break;
        if (c == 13) {
            nextByte();
            break;
        }
        buffer[stored++] = static_cast<char>(c);
    }
    buffer[stored] = '\0';
    return stored;
}
