#include "shell/Screen.h"

#include <algorithm>
#include <string>

#include "shell/StartupError.h"
#include "shell/WindowScaling.h"

namespace nuikaro {

namespace {

SDL_Rect ToSdl(const Rect& rect) {
  return {rect.X, rect.Y, rect.Width, rect.Height};
}

}  // namespace

bool SendsWholeFrame(bool pixelsLost, const Surface& shown, const Surface& frame,
                     const PresentTarget& last, const PresentTarget& now) {
  // A surface made again (after a resize) starts with nothing of the last frame in it.
  return pixelsLost || shown.Width != frame.Width || shown.Height != frame.Height ||
         now.Surface != last.Surface || now.Width != last.Width || now.Height != last.Height;
}

Screen::Screen(SDL_Window* window) : window_(window) {
  if (SDL_GetWindowSurface(window_) != nullptr) {
    return;
  }
  // No surface without acceleration here (Wayland has none): the renderer scales a texture of
  // the frame instead. No vsync: a present must never wait for the compositor, frames are rare.
  const std::string surfaceError = SDL_GetError();
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) {
    throw StartupError("cannot show the game window: it has no surface (" + surfaceError +
                       ") and no renderer (" + SDL_GetError() + ")");
  }
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                               ScreenWidth, ScreenHeight);
  if (texture_ == nullptr) {
    const std::string textureError = SDL_GetError();
    SDL_DestroyRenderer(renderer_);
    throw StartupError("cannot show the game window: no texture for the frame (" + textureError +
                       ")");
  }
  // Whole factors by nearest neighbour keep the pixels crisp.
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
}

Screen::~Screen() {
  if (renderer_ != nullptr) {
    SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }
}

void Screen::Show(const Surface& frame) {
  SDL_ShowWindow(window_);
  mapped_ = true;
  Present(frame);
}

void Screen::Repaint(const Surface& frame) {
  whole_ = true;
  Present(frame);
}

void Screen::Present(const Surface& frame) {
  if (!mapped_) {
    return;
  }
  PresentTarget now;
  if (renderer_ != nullptr) {
    SDL_GetRendererOutputSize(renderer_, &now.Width, &now.Height);
  } else {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) {
      return;
    }
    now = {surface, surface->w, surface->h};
  }
  const bool whole = SendsWholeFrame(whole_, shown_, frame, last_, now);
  last_ = now;
  if (whole) {
    shown_ = frame;
  } else {
    changed_ = FindChangedRectangles(shown_, frame);
    if (changed_.empty()) {
      return;
    }
    for (const Rect& part : changed_) {
      for (int32_t y = part.Y; y < part.Y + part.Height; ++y) {
        std::copy(frame.Row(y) + part.X, frame.Row(y) + part.X + part.Width,
                  shown_.Row(y) + part.X);
      }
    }
  }
  whole_ = false;
  if (renderer_ != nullptr) {
    PresentToRenderer(frame, whole);
  } else {
    PresentToSurface(frame, whole);
  }
}

bool WriteFrame(SDL_Surface* surface, const Surface& frame, bool whole,
                const std::vector<Rect>& parts, std::vector<SDL_Rect>& sent) {
  if (surface->format->format == SDL_PIXELFORMAT_XRGB8888) {
    if (SDL_LockSurface(surface) != 0) {
      return false;
    }
    uint32_t* pixels = static_cast<uint32_t*>(surface->pixels);
    if (whole) {
      ScaleFrame(frame, pixels, surface->pitch, surface->w, surface->h);
    } else {
      for (const Rect& part : parts) {
        const Rect area =
            ScaleFramePart(frame, part, pixels, surface->pitch, surface->w, surface->h);
        if (area.Width > 0) {
          sent.push_back(ToSdl(area));
        }
      }
    }
    SDL_UnlockSurface(surface);
    return true;
  }
  // Another pixel format (a 16-bit display): SDL converts while it scales, by nearest neighbour.
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(frame.Pixels.data()), frame.Width, frame.Height, 32,
      frame.Width * static_cast<int>(sizeof(uint32_t)), SDL_PIXELFORMAT_XRGB8888);
  if (source == nullptr) {
    return false;
  }
  const FramePlacement place = PlaceFrame(surface->w, surface->h);
  if (whole) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_Rect target = ToSdl(PlacedPart(place, {0, 0, frame.Width, frame.Height}));
    SDL_BlitScaled(source, nullptr, surface, &target);
  } else {
    for (const Rect& part : parts) {
      SDL_Rect from = ToSdl(part);
      SDL_Rect target = ToSdl(PlacedPart(place, part));
      SDL_BlitScaled(source, &from, surface, &target);
      sent.push_back(target);
    }
  }
  SDL_FreeSurface(source);
  return true;
}

void Screen::PresentToSurface(const Surface& frame, bool whole) {
  sent_.clear();
  if (!WriteFrame(last_.Surface, frame, whole, changed_, sent_)) {
    whole_ = true;
    return;
  }
  if (whole) {
    SDL_UpdateWindowSurface(window_);
  } else if (!sent_.empty()) {
    SDL_UpdateWindowSurfaceRects(window_, sent_.data(), static_cast<int>(sent_.size()));
  }
}

void Screen::PresentToRenderer(const Surface& frame, bool whole) {
  const int pitch = frame.Width * static_cast<int>(sizeof(uint32_t));
  if (whole) {
    SDL_UpdateTexture(texture_, nullptr, frame.Pixels.data(), pitch);
  } else {
    // Only the changed parts travel to the texture; the texture keeps the rest.
    for (const Rect& part : changed_) {
      const SDL_Rect area = ToSdl(part);
      SDL_UpdateTexture(texture_, &area, frame.Row(part.Y) + part.X, pitch);
    }
  }
  DrawPlacedFrame(renderer_, texture_, last_.Width, last_.Height);
}

void DrawPlacedFrame(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height) {
  int frameWidth = 0;
  int frameHeight = 0;
  SDL_QueryTexture(texture, nullptr, nullptr, &frameWidth, &frameHeight);
  const FramePlacement place = PlaceFrame(width, height);
  const SDL_Rect target = ToSdl(PlacedPart(place, {0, 0, frameWidth, frameHeight}));
  // A renderer's back buffer holds nothing after a present: the whole picture is drawn each time.
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, &target);
  SDL_RenderPresent(renderer);
}

}  // namespace nuikaro
