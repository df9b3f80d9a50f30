// Placeholder translation unit; the Qt platform lands with the front end.
namespace qtplatform {
int Placeholder() { return 0; }
} // namespace qtplatform
