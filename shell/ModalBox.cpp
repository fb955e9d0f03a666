#include "shell/ModalBox.h"

#include <SDL.h>

#include <algorithm>

#include "shell/FrontEnd.h"

namespace nuikaro {

namespace {

// The look of a plain system message box: the text on white, the OK button on a grey band.
constexpr int32_t BoxWidth = 240;
constexpr int32_t BoxHeight = 120;
constexpr int32_t BandTop = 72;
constexpr int32_t TextX = 24;
constexpr int32_t TextY = 28;
constexpr int32_t TextHeight = 16;
constexpr int32_t ButtonX = 140;
constexpr int32_t ButtonY = 84;
constexpr int32_t ButtonWidth = 88;
constexpr int32_t ButtonHeight = 26;
constexpr int32_t LabelX = ButtonX + 35;
constexpr int32_t LabelY = ButtonY + 5;

constexpr uint32_t White = Rgb(255, 255, 255);
constexpr uint32_t BandGrey = Rgb(240, 240, 240);
constexpr uint32_t ButtonGrey = Rgb(225, 225, 225);
constexpr uint32_t DefaultButtonBlue = Rgb(0, 120, 215);  // the button Enter presses
constexpr uint32_t TextColour = Rgb(0, 0, 0);
constexpr int32_t Normal = 400;

void Fill(Surface& surface, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
  for (int32_t row = y; row < y + height; ++row) {
    std::fill(surface.Row(row) + x, surface.Row(row) + x + width, colour);
  }
}

bool OnButton(int32_t x, int32_t y) {
  return x >= ButtonX && x < ButtonX + ButtonWidth && y >= ButtonY && y < ButtonY + ButtonHeight;
}

}  // namespace

Rect BoxPlacement(const Rect& owner) {
  return {owner.X + (owner.Width - BoxWidth) / 2, owner.Y + (owner.Height - BoxHeight) / 2,
          BoxWidth, BoxHeight};
}

ModalBox::ModalBox(SDL_Window* owner, const char* caption, std::string_view text, FontCache& fonts)
    : picture_(BoxWidth, BoxHeight) {
  Rect ownerArea;
  SDL_GetWindowPosition(owner, &ownerArea.X, &ownerArea.Y);
  SDL_GetWindowSize(owner, &ownerArea.Width, &ownerArea.Height);
  const Rect area = BoxPlacement(ownerArea);
  window_ = SDL_CreateWindow(caption, area.X, area.Y, area.Width, area.Height, SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    return;
  }
  windowId_ = SDL_GetWindowID(window_);
  MarkAsModalDialog(window_);
  SDL_SetWindowModalFor(window_, owner);
  Draw(text, fonts);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  Present();
}

ModalBox::~ModalBox() {
  if (window_ != nullptr) {
    SDL_DestroyWindow(window_);
  }
}

void ModalBox::HandleEvent(const SDL_Event& event) {
  if (event.type != SDL_WINDOWEVENT) {
    input_.Take(event,
                [](const SDL_MouseButtonEvent& button) { return OnButton(button.x, button.y); });
  } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
    input_.Close();
  } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
             event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
    Present();
  }
}

void ModalBox::Draw(std::string_view text, FontCache& fonts) {
  Fill(picture_, 0, 0, BoxWidth, BandTop, White);
  Fill(picture_, 0, BandTop, BoxWidth, BoxHeight - BandTop, BandGrey);
  Fill(picture_, ButtonX, ButtonY, ButtonWidth, ButtonHeight, DefaultButtonBlue);
  Fill(picture_, ButtonX + 1, ButtonY + 1, ButtonWidth - 2, ButtonHeight - 2, ButtonGrey);
  const DeviceContext dc{picture_, fonts};
  DrawString(dc, text, TextX, TextY, TextHeight, Normal, 0, TextColour, PanelFaceName);
  DrawString(dc, "OK", LabelX, LabelY, TextHeight, Normal, 0, TextColour, PanelFaceName);
}

void ModalBox::Present() {
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      picture_.Pixels.data(), picture_.Width, picture_.Height, 32,
      picture_.Width * static_cast<int>(sizeof(uint32_t)), SDL_PIXELFORMAT_XRGB8888);
  if (target != nullptr && source != nullptr) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window_);
  }
  SDL_FreeSurface(source);
}

}  // namespace nuikaro
