#!/usr/bin/env bash
# The one-way dependencies between folders. game/ knows nothing of SDL; render/ may decode pictures
# and rasterise glyphs with SDL, but opens no window and handles no events; shell/ runs the window
# and its events, the same on every system. What belongs to one system lives in that system's own
# folder (linux/, windows/, web/): no neutral folder includes a system's header or a front end's.
set -uo pipefail
status=0
neutral="game render shell tools bench fuzz tests"
if hits=$(grep -rnE '#include *[<"]SDL|\bSDL_' game); then
  echo "game/ must not use SDL:"; echo "$hits"; status=1
fi
window_api='#include *[<"](SDL\.h|SDL_video\.h|SDL_events\.h|SDL_messagebox\.h|SDL_keyboard\.h)|\bSDL_(Init|CreateWindow|GetWindow[A-Za-z]*|UpdateWindowSurface|PollEvent|WaitEvent[A-Za-z]*|PumpEvents|ShowSimpleMessageBox|ShowMessageBox)\b'
if hits=$(grep -rnE "$window_api" render); then
  echo "render/ must not use SDL's window, event or message box API:"; echo "$hits"; status=1
fi
if hits=$(grep -rnE '#include *"shell/' game render); then
  echo "game/ and render/ must not depend on shell/:"; echo "$hits"; status=1
fi
if hits=$(grep -rnE '#include *"render/' game); then
  echo "game/ must not depend on render/:"; echo "$hits"; status=1
fi
# shell/NativeWindow.h is the front ends' door to the native window (SDL_syswm.h brings the window
# system's headers): it alone may include it, and only front ends include it.
system_headers='#include *<(X11/|xcb/|wayland-|windows\.h|winuser\.h|commctrl\.h|emscripten|fontconfig/|SDL_syswm\.h)'
# shellcheck disable=SC2086
if hits=$(grep -rnE "$system_headers|#include *\"(linux|windows|web)/|#include *\"shell/NativeWindow\.h\"" \
    --include='*.cpp' --include='*.h' $neutral | grep -v '^shell/NativeWindow\.h:.*SDL_syswm\.h'); then
  echo "neutral folders ($neutral) must not include a system's or a front end's headers:"
  echo "$hits"; status=1
fi
[ $status -eq 0 ] && echo "layers are clean"
exit $status
