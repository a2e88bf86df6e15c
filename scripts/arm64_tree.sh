# Sourced by scripts/test.sh and scripts/release.sh.
# Says why the linux-arm64 tree cannot be built and run here, if it cannot: its cross compiler,
# qemu-user or arm64 Qt, which scripts/bootstrap.sh installs only when the arm64 archive lets it, is
# missing. Says nothing, and fails, when all are there.
arm64_missing()
{
    local missing=()
    command -v aarch64-linux-gnu-g++ >/dev/null || missing+=(g++-aarch64-linux-gnu)
    command -v qemu-aarch64-static >/dev/null || missing+=(qemu-user-static)
    [[ -f /usr/lib/aarch64-linux-gnu/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake ]] || missing+=(qt6-base-dev:arm64)
    ((${#missing[@]})) && echo "not installed: ${missing[*]}"
}
