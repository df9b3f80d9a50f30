// The picture writers of the decoder tests, built into this test program as well so the
// publishing tests can feed the tool every picture type the game reads.
#include "../imaging/ImageFixtures.cpp"
