// Touch: a swipe anywhere on the first screen (board, panel and the space around them) is the
// arrow of its direction; the pad's buttons are the arrows and Enter. Taps on buttons and links
// stay theirs.
const SWIPE_MIN = 16;  // CSS px: shorter is a tap

function watchTouch(play, press) {
  let swipe = null;
  play.addEventListener("touchstart", (event) => {
    if (event.target.closest("button, a")) { swipe = null; return; }
    const touch = event.changedTouches[0];
    swipe = event.touches.length === 1 ? {x: touch.clientX, y: touch.clientY} : null;
    event.preventDefault();  // no mouse events, no focus change, no zoom
  }, {passive: false});
  play.addEventListener("touchend", (event) => {
    if (swipe === null) return;
    const touch = event.changedTouches[0];
    const dx = touch.clientX - swipe.x;
    const dy = touch.clientY - swipe.y;
    swipe = null;
    event.preventDefault();
    if (Math.max(Math.abs(dx), Math.abs(dy)) < SWIPE_MIN) return;
    if (Math.abs(dx) > Math.abs(dy)) press(dx > 0 ? "ArrowRight" : "ArrowLeft");
    else press(dy > 0 ? "ArrowDown" : "ArrowUp");
  }, {passive: false});
  play.addEventListener("touchcancel", () => { swipe = null; });
  play.addEventListener("contextmenu", (event) => event.preventDefault());
  for (const button of document.querySelectorAll("#pad button")) {
    button.addEventListener("click", () => press(button.dataset.key));
  }
}
