#include "HelpText.h"

#include "ExtrasEntries.h"
#include "app/Version.h"

namespace publish {

std::string UsageText() {
    return "usage: pictorra-publish --picture FILE -o OUTPUT [options]   publish a puzzle\n"
           "       pictorra-publish inspect [--sheet OUT.bmp] PROGRAM     what a puzzle carries\n"
           "       pictorra-publish append [--game PROGRAM] -o OUTPUT NAME=FILE...\n"
           "       pictorra-publish demo-picture OUT.jpg\n"
           "Run pictorra-publish --help for every option, --version for the version.\n";
}

std::string HelpText() {
    return "pictorra-publish " + std::string(kPictorraVersion) +
           ": makes a jigsaw puzzle program from a picture.\n\n" + UsageText() +
           "\nThe picture and the puzzle:\n"
           "  --picture FILE        any picture Qt reads (PNG, JPEG, BMP, GIF, TIFF and WebP with\n"
           "                        Qt's plugins; also ICO and PCX). Pictures the game cannot read,\n"
           "                        and scaled ones, are stored as JPEG.   --picture photo.png\n"
           "  -o OUTPUT             the puzzle program to write            -o MyPuzzle\n"
           "  --cut NAME            small, medium (default), large, huge, square, angular, wavy,\n"
           "                        jagged                                 --cut wavy\n"
           "  --pieces N            scale the picture for about N pieces   --pieces 1000\n"
           "  --max-size WxH        scale the picture down to fit WxH      --max-size 1920x1080\n"
           "  --title TEXT          the puzzle's title (default: the picture's name)\n"
           "                                                               --title \"Mountain Lake\"\n"
           "  --completion-text TEXT  shown when the puzzle is done        --completion-text \"Bravo!\"\n"
           "  --target H:M          the target time (default: from the piece count)  --target 1:30\n"
           "  --no-preview          the puzzle offers no preview window\n"
           "  --scramble            store the picture scrambled\n"
           "  --game PROGRAM        the game program to publish onto (default: the one beside this\n"
           "                        tool, else ../lib/pictorra-vaze/)      --game build/pictorra-vaze\n"
           "  --quiet               no progress report\n"
           "\nThe author's extras:\n"
           "  --author-title TEXT   the window title before the puzzle's   --author-title \"Ann's Puzzles\"\n"
           "  --banner FILE         a .gif (may be animated), .jpg or .bmp banner over the board, at\n"
           "                        most " + std::to_string(kMaxBannerSide) + " pixels a side           --banner logo.gif\n"
           "  --banner-link URL     opened when the banner is clicked      --banner-link https://example.org\n"
           "  --banner-place 0..8   where the banner sits: 0 top left, 1 top middle, 2 top right,\n"
           "                        3-5 the middle row, 6-8 the bottom row --banner-place 8\n"
           "  --exit-page URL       opened when the player leaves          --exit-page https://example.org/more\n"
           "  --info-page FILE.html shown in the closing dialog, with      --info-page thanks.html\n"
           "  --info-size WxH       the dialog's size (" + std::to_string(kMinInfoSide) + " to " +
           std::to_string(kMaxInfoSide) + " a side)           --info-size 640x480\n"
           "  --about-text TEXT     an extra text in the About box         --about-text \"Photo: Ann\"\n"
           "  --about-button CAPTION URL  a link button in the About box   --about-button Website https://example.org\n"
           "  --forbid-preview      the preview window is refused\n"
           "Addresses must be http://, https:// or mailto: (the game opens only those).\n"
           "\nOther commands:\n"
           "  inspect PROGRAM                 the pack, the puzzle's options, cut and extras\n"
           "  inspect --sheet OUT.bmp PROGRAM also draws every piece     inspect --sheet cut.bmp MyPuzzle\n"
           "  inspect --key                   the archive scramble key\n"
           "  append -o OUTPUT NAME=FILE...   a pack of the given files  append -o P click.wav=c.wav\n"
           "  demo-picture OUT.jpg            the bundled demo picture\n"
           "  --version                       the version\n"
           "\nExample: pictorra-publish --picture photo.jpg --pieces 500 --cut wavy -o MyPuzzle\n";
}

std::string VersionText() {
    return "pictorra-publish " + std::string(kPictorraVersion) + " (" + kPictorraNameAndVersion + ")\n";
}

} // namespace publish
