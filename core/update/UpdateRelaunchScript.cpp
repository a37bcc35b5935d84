#include "core/update/UpdateRelaunchScript.h"

namespace roror::UpdateRelaunchScript {

namespace {

// The new bundle is copied beside the old one and renamed into place, so the old application stays
// whole until the new one is complete, and is put back if the final rename fails.
const char* const scriptText = R"(#!/bin/bash
set -e
pid=$1
target=$2
source=$3
mount=$4
executable=$5
work=$6
script=$0
# Whatever happens below, the downloaded update and this script do not outlive it.
cleanup() {
    if [ -n "$work" ]; then
        rm -rf -- "$work" 2>/dev/null || true
    fi
    rm -f -- "$script" 2>/dev/null || true
}
trap cleanup EXIT
for _ in {1..20}; do
    if ! kill -0 "$pid" 2>/dev/null; then
        break
    fi
    sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
    echo "Roror did not quit in time." >&2
    exit 1
fi
sleep 0.5
usable() {
    [ -d "$1" ] && [ ! -L "$1" ] && [ -f "$1/$executable" ] && [ ! -L "$1/$executable" ] && [ -x "$1/$executable" ]
}
if [ "${source##*/}" != "${target##*/}" ] || ! usable "$source"; then
    echo "Roror found no complete application in the update." >&2
    exit 1
fi
staged="$target.roror-update-new"
previous="$target.roror-update-old"
rm -rf -- "$staged"
if [ -e "$target" ] || [ -L "$target" ]; then
    rm -rf -- "$previous"
fi
if ! cp -R -P -- "$source" "$staged" || ! usable "$staged"; then
    rm -rf -- "$staged"
    echo "Roror could not copy the update." >&2
    exit 1
fi
if ! mv -T -- "$target" "$previous"; then
    rm -rf -- "$staged"
    echo "Roror could not move the old application aside." >&2
    exit 1
fi
if ! mv -T -- "$staged" "$target"; then
    mv -T -- "$previous" "$target"
    rm -rf -- "$staged"
    echo "Roror could not put the update in place." >&2
    exit 1
fi
rm -rf -- "$previous" || true
rm -rf -- "$mount" 2>/dev/null || true
setsid -f "$target/$executable" </dev/null >/dev/null 2>&1
)";

} // namespace

QString text()
{
    return QString::fromUtf8(scriptText);
}

QStringList arguments(qint64 processId, const QString& targetBundle, const QString& sourceBundle,
                      const QString& mountFolder, const QString& executablePath, const QString& updateFolder)
{
    return {QString::number(processId), targetBundle, sourceBundle, mountFolder, executablePath, updateFolder};
}

} // namespace roror::UpdateRelaunchScript
