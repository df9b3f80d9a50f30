#pragma once
// The picture builders now live in the shared test support; this name stays for the
// publishing tests that include it.
#include "support/PictureFiles.h"
