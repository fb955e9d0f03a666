// The Windows program. SDL's WinMain calls main in the form SDL asks for.
#include <SDL_main.h>

#include "shell/FrontEnd.h"

int main(int, char*[]) {
  return nuikaro::RunDesktop();
}
