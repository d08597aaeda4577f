#!/bin/sh
# Fails when a folder of src/ includes a header of a folder that is not below it:
# common, text, ports -> project -> readme | nfo | fields -> render -> commands -> cli | app; readme, nfo and
# fields are pure functions of records and bytes: they do not reach the platform through ports/ either.
# Usage: check_layers.sh SRC_DIR
set -u
cd "$1" || exit 2

allowed() {
  case "$1" in
    common) echo "common" ;;
    text) echo "common text" ;;
    ports) echo "common ports" ;;
    project) echo "common text ports project" ;;
    readme | nfo | fields) echo "common text project $1" ;;
    render) echo "common text ports project readme nfo fields render" ;;
    commands) echo "common text ports project readme nfo fields render commands" ;;
    cli) echo "common text ports project readme nfo fields render commands cli" ;;
    app) echo "common text ports project readme nfo fields render commands app" ;;
  esac
}

found=$(
  for folder in */; do
    folder=${folder%/}
    permitted=$(allowed "$folder")
    if [ -z "$permitted" ]; then
      echo "src/$folder: unknown to the layer check; give it its place in tests/check_layers.sh"
      continue
    fi
    # A quoted include names its folder first: "folder/header.h".
    grep -rnoE '#include "[^"/]+/' "$folder" | while IFS= read -r hit; do
      used=${hit##*#include \"}
      used=${used%/}
      case " $permitted " in
        *" $used "*) ;;
        *) echo "src/${hit%%:#include*}: $folder may not include $used/" ;;
      esac
    done
  done
)
[ -z "$found" ] && exit 0
echo "$found"
exit 1
