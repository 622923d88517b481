#include "base/InstallPathRule.h"

#include <algorithm>
#include <vector>

namespace SetUp {

namespace {

const char* const kReservedDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};

// The path split at every backslash; no pieces for the empty path.
std::vector<std::string> SplitAtBackslashes(const std::string& path) {
    std::vector<std::string> pieces;
    if (path.empty()) {
        return pieces;
    }
    std::string::size_type start = 0;
    for (;;) {
        const auto end = path.find('\\', start);
        pieces.push_back(path.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

bool IsDriveLetterPiece(const std::string& piece) {
    return piece.size() == 2 && piece[1] == ':' &&
           ((piece[0] >= 'A' && piece[0] <= 'Z') || (piece[0] >= 'a' && piece[0] <= 'z'));
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension, in any case: such a name
// opens the device, not a folder.
bool IsReservedDeviceName(const std::string& piece) {
    std::string stem = piece.substr(0, piece.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (char& c : stem) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    for (const char* name : kReservedDeviceNames) {
        if (stem == name) {
            return true;
        }
    }
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)) {
        return stem[3] >= '1' && stem[3] <= '9';
    }
    return false;
}

}  // namespace

bool IsValidInstallPath(const std::string& path) {
    const std::vector<std::string> pieces = SplitAtBackslashes(path);
    // A drive letter and its colon: "\\", "\\App" and UNC paths are refused, they made "cd /d"
    // fail and sent an elevated name lookup onto the network.
    if (pieces.empty() || !IsDriveLetterPiece(pieces.front())) {
        return false;
    }
    for (size_t i = 1; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        // '%' and '!': the command processor expands %NAME% even inside quotes, and !NAME! with
        // delayed expansion, so such a root would install somewhere else than chosen.
        if (piece.find_first_of("\\/:*?\"<>|%!") != std::string::npos) {
            return false;
        }
        if (std::any_of(piece.begin(), piece.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
            return false;
        }
        // Windows drops a trailing dot or blank, so the folder made would not be the one named;
        // "." and ".." end in a dot too.
        if (!piece.empty() && (piece.back() == '.' || piece.back() == ' ')) {
            return false;
        }
        if (IsReservedDeviceName(piece)) {
            return false;
        }
    }
    return true;
}

}  // namespace SetUp
