#include "shell/RunGame.h"

#include <cstdlib>
#include <memory>

#include "game/RandomSource.h"
#include "render/Renderer.h"
#include "shell/EventSource.h"
#include "shell/Form.h"
#include "shell/FrontEnd.h"
#include "shell/ProgramDirectory.h"
#include "shell/SdlPlatform.h"

namespace nuikaro {

int RunGame(SDL_Window* window,
            const std::function<void(const std::string& file, const std::string& reason)>&
                reportStartupError,
            const std::function<void()>& started) {
  Game game;
  Renderer renderer(game);
  const std::unique_ptr<EventSource> events = DesktopEventSource(window);
  RandomSource random;
  SdlPlatform platform(window, renderer, *events, random);
  Form1 form{game, renderer, platform, ProgramDirectory()};
  try {
    LoadForm(form);
  } catch (const PictureError& error) {
    reportStartupError(error.File(), error.Reason());
    return EXIT_FAILURE;
  }
  if (started) {
    started();
  }
  platform.Run(form);
  return EXIT_SUCCESS;
}

}  // namespace nuikaro
