// Holds nothing but the embedded test files (a static library needs a source).
namespace ovra::test {
int layoutTestResourcesAnchor = 0;
} // namespace ovra::test
