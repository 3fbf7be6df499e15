#!/usr/bin/env bash
# The AppStream file passes appstreamcli's pedantic validation with no error
# or warning, and its screenshot is the picture the README opens with.
set -euo pipefail
appstreamcli=$1 metainfo=$2 source_dir=$3
report=$("$appstreamcli" validate --pedantic --no-net "$metainfo" 2>&1) || { echo "$report"; exit 1; }
echo "$report"
if grep -q '^[EW]:' <<<"$report"; then echo "FAIL: errors or warnings above"; exit 1; fi

picture=$(sed -n 's|.*<image>https://[^/]*/\(.*\)</image>.*|\1|p' "$metainfo")
[ -n "$picture" ] || { echo "FAIL: no screenshot image in $metainfo"; exit 1; }
[ -f "$source_dir/$picture" ] || { echo "FAIL: the screenshot names $picture, which the source lacks"; exit 1; }
grep -qF "]($picture)" "$source_dir/README.md" || { echo "FAIL: the README does not open with $picture"; exit 1; }
echo "screenshot: $picture, as in the README"
