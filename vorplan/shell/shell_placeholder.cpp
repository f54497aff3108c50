// The shell library needs one source until its first window lands.
namespace vor {
void ShellPlaceholder() {}
}  // namespace vor
