// Placeholder so the library has a translation unit until the pack writer lands.
namespace publish {
int Version() { return 1; }
} // namespace publish
