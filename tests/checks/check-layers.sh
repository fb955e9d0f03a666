#!/usr/bin/env bash
# game/ knows nothing of SDL; render/ may decode pictures and rasterise glyphs with SDL, but opens
# no window and handles no events: only shell/ does.
set -uo pipefail
status=0
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
[ $status -eq 0 ] && echo "layers are clean"
exit $status
