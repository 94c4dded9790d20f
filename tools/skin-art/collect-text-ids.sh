#!/bin/sh
# Lists the text ids that the skin's layouts and menus use (textid and tooltipid in skin/**/*.ui,
# textid in skin/**/*.xml menus) and that a language file lacks, one "file<TAB>id" a line.
#     collect-text-ids.sh [skin folder]       (default: the skin folder of this source tree)
# Exit status 1 when some id is missing.
skin=${1:-$(dirname "$0")/../../skin}
ids=$(mktemp)
trap 'rm -f "$ids"' EXIT

find "$skin" -name '*.ui' -exec cat {} + |
    tr -d '\n' |
    grep -o '<property name="\(textid\|tooltipid\)"[^>]*>[[:space:]]*<string[^>]*>[^<]*</string>' |
    sed 's/.*<string[^>]*>\([^<]*\)<\/string>/\1/' >"$ids"
find "$skin" -name '*.xml' ! -name 'lan_*.xml' -exec grep -ho 'textid="[^"]*"' {} + |
    sed 's/textid="\([^"]*\)"/\1/' >>"$ids"

missing=0
for language in "$skin"/lan_*.xml; do
    for id in $(sort -u "$ids"); do
        if ! grep -qF "<Text id=\"$id\"" "$language"; then
            printf '%s\t%s\n' "$(basename "$language")" "$id"
            missing=1
        fi
    done
done
exit $missing
