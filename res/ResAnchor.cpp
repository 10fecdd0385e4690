// The resource library needs one translation unit of its own; the compiled
// resources are attached to it as object libraries by qt_add_resources.
namespace kolvane::res {
int AnchorSymbol() { return 0; }
}  // namespace kolvane::res
