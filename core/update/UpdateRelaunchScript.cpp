#include "core/update/UpdateRelaunchScript.h"

namespace roror::UpdateRelaunchScript {

namespace {

const QString kStagedSuffix = QStringLiteral(".roror-update-new");
const QString kPreviousSuffix = QStringLiteral(".roror-update-old");

// The new bundle is copied beside the old one and renamed into place, so the old application stays
// whole until the new one is complete. Once the application has quit, any failure puts the old copy
// back where it was and starts it again, so the user is never left without it.
const char* const scriptText = R"(#!/bin/bash
set -e
pid=$1
target=$2
source=$3
mount=$4
executable=$5
work=$6
script=$0
staged="$target@STAGED@"
previous="$target@PREVIOUS@"
# waiting: the application may still run; quit: it has ended, the old copy untouched; aside: the
# old copy is at $previous; swapped: the new copy is in place.
phase=waiting
usable() {
    [ -d "$1" ] && [ ! -L "$1" ] && [ -f "$1/$executable" ] && [ ! -L "$1/$executable" ] && [ -x "$1/$executable" ]
}
start() {
    setsid -f "$1/$executable" </dev/null >/dev/null 2>&1
}
finish() {
    status=$?
    set +e
    if [ "$status" -ne 0 ] && { [ "$phase" = quit ] || [ "$phase" = aside ]; }; then
        rm -rf -- "$staged" 2>/dev/null
        old=$target
        if [ "$phase" = aside ]; then
            if [ -e "$target" ] || [ -L "$target" ] || ! mv -T -- "$previous" "$target"; then
                old=$previous
            fi
        fi
        if usable "$old"; then
            echo "Roror starts the old copy again." >&2
            start "$old"
        fi
    fi
    # Whatever happened, the downloaded update and this script do not outlive it.
    if [ -n "$work" ]; then
        rm -rf -- "$work" 2>/dev/null
    fi
    rm -f -- "$script" 2>/dev/null
}
trap finish EXIT
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
phase=quit
sleep 0.5
if [ "${source##*/}" != "${target##*/}" ] || ! usable "$source"; then
    echo "Roror found no complete application in the update." >&2
    exit 1
fi
rm -rf -- "$staged"
if [ -e "$target" ] || [ -L "$target" ]; then
    rm -rf -- "$previous"
fi
if ! cp -R -P -- "$source" "$staged" || ! usable "$staged"; then
    echo "Roror could not copy the update." >&2
    exit 1
fi
if ! mv -T -- "$target" "$previous"; then
    echo "Roror could not move the old application aside." >&2
    exit 1
fi
phase=aside
if ! mv -T -- "$staged" "$target"; then
    echo "Roror could not put the update in place." >&2
    exit 1
fi
phase=swapped
rm -rf -- "$previous" || true
rm -rf -- "$mount" 2>/dev/null || true
start "$target"
)";

} // namespace

QString text()
{
    return QString::fromUtf8(scriptText)
        .replace(QStringLiteral("@STAGED@"), kStagedSuffix)
        .replace(QStringLiteral("@PREVIOUS@"), kPreviousSuffix);
}

QString stagedPath(const QString& targetBundle)
{
    return targetBundle + kStagedSuffix;
}

QStringList arguments(qint64 processId, const QString& targetBundle, const QString& sourceBundle,
                      const QString& mountFolder, const QString& executablePath, const QString& updateFolder)
{
    return {QString::number(processId), targetBundle, sourceBundle, mountFolder, executablePath, updateFolder};
}

} // namespace roror::UpdateRelaunchScript
