// Puts the frame, the box and the pad where fitFrame says, now and whenever the viewport changes:
// a resize, a rotation, a zoom (which changes the pixel ratio), a scrollbar coming or going.
function watchPlace(parts) {
  const {play, canvas, board, pad} = parts;
  let ratioQuery = null;
  let placed = "";
  function place() {
    const view = measureViewport();
    const key = [view.width, view.height, view.ratio, view.touch].join();
    if (key === placed) return;
    placed = key;
    const fit = fitFrame(view);
    play.style.height = view.height + "px";
    Object.assign(canvas.style, {left: fit.left + "px", top: fit.top + "px",
                                 width: fit.width + "px", height: fit.height + "px"});
    canvas.classList.toggle("smooth", fit.scale < 1);  // fewer device pixels than game pixels
    Object.assign(board.style, {left: fit.left + "px", top: fit.top + "px",
                                width: fit.width * 0.75 + "px", height: fit.height + "px"});
    pad.hidden = fit.pad === null;
    if (fit.pad) {
      Object.assign(pad.style, {left: fit.pad.left + "px", top: fit.pad.top + "px",
                                width: fit.pad.size + "px", height: fit.pad.size + "px",
                                gap: (fit.pad.size - 3 * fit.pad.button) / 2 + "px",
                                opacity: fit.overlay ? "0.7" : ""});
    }
    if (ratioQuery) ratioQuery.removeEventListener("change", place);
    ratioQuery = window.matchMedia("(resolution: " + view.ratio + "dppx)");
    ratioQuery.addEventListener("change", place);
  }
  window.addEventListener("resize", place);
  window.addEventListener("orientationchange", place);
  if (window.visualViewport) window.visualViewport.addEventListener("resize", place);
  if (window.ResizeObserver) new ResizeObserver(place).observe(document.documentElement);
  place();
  return place;
}
