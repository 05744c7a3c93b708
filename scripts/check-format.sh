#!/usr/bin/env bash
# Checks that every C++ source of the tree is formatted as the committed .clang-format says,
# with Debian's clang-format (other versions break lines differently). Lists the files that
# differ and fails. With --fix it formats them in place instead.
#   scripts/check-format.sh [--fix] [SOURCE_DIR]
set -euo pipefail

fix=0
if [ "${1:-}" = "--fix" ]; then
    fix=1
    shift
fi
root="$(cd "${1:-$(dirname "$0")/..}" && pwd)"

formatter=""
for candidate in clang-format-14 clang-format; do
    if command -v "$candidate" >/dev/null; then
        formatter="$candidate"
        break
    fi
done
if [ -z "$formatter" ]; then
    echo "clang-format is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
fi

cd "$root"
# The files git tracks, and new ones it does not ignore; outside a checkout, every source
# below the folder but the build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' |
        sort -u | while read -r f; do [ -f "$f" ] && echo "$f"; done)
else
    mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) \
        -type f -print | sed 's|^\./||' | sort)
fi

if [ "$fix" -eq 1 ]; then
    "$formatter" --style=file -i "${files[@]}"
    exit 0
fi

# One run over all files: it reports every place in every file, each line naming its file.
if report=$("$formatter" --style=file --dry-run --Werror "${files[@]}" 2>&1); then
    echo "${#files[@]} files formatted as .clang-format says"
    exit 0
fi
echo "Not formatted as .clang-format says ($("$formatter" --version)):"
grep -o '^[^: ]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /' ||
    echo "$report"
echo "Run scripts/check-format.sh --fix to format them."
exit 1
