#include "shell/RunGame.h"

#include <cstdlib>
#include <memory>

#include "game/RandomSource.h"
#include "render/Renderer.h"
#include "shell/EventSource.h"
#include "shell/Form.h"
#include "shell/FrontEnd.h"
#include "shell/ProgramDirectory.h"
#include "shell/SdlGameHost.h"
#include "shell/SdlPlatform.h"
#include "shell/StartupError.h"

namespace nuikaro {

int RunGame(SDL_Window* window, const std::function<void()>& started) {
  Game game;
  Renderer renderer(game);
  const std::unique_ptr<EventSource> events = DesktopEventSource(window);
  Screen screen(window);
  SdlPlatform platform(window, renderer, screen, *events);
  RandomSource random;
  SdlGameHost host(window, renderer, screen, platform, random);
  Form1 form{game, renderer, platform, host, ProgramDirectory()};
  try {
    LoadForm(form);
  } catch (const PictureError& error) {
    // The renderer knows nothing of the start; here its refusal joins every other start-up error.
    throw StartupError(error.File(), error.Reason());
  }
  if (started) {
    started();
  }
  platform.Run(form);
  return EXIT_SUCCESS;
}

}  // namespace nuikaro
