// The picture writers of the decoder tests come from the shared test support library.
#include "support/PictureFiles.h"
