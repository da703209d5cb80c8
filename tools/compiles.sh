# Sourced by the checks: own_compiles <build folder> [ninja target...]
# prints the compile command of each of Lapidor's own sources in a build
# configured with -G Ninja, one a line, built or not. A compile ends in
# "-c <source>"; what moc and rcc generate is not Lapidor's own.
own_compiles() {
    local build=$1 root
    shift
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    ninja -C "$build" -t commands "$@" | grep -E ' -c [^ ]+$' \
        | awk 'NR == FNR { own[$0]; next } $NF in own' <(git -C "$root" ls-files '*.cpp' | sed "s|^|$root/|") - \
        || true
}
