// The page's own words in English and Japanese: Japanese when the browser asks for it before
// English, English otherwise. The game's texts (the title, the panel, "GameOver!") stay as they
// are in either.
const TEXTS = {
  en: {},  // the page's markup is English
  ja: {
    loading: "ゲームを読み込んでいます…",
    ended: "ゲームは終わりました。",
    again: "もう一度遊ぶ",
    steer: "向きを変える: 次の一歩で曲がります(タッチ画面では、どこでもスワイプするか矢印を押す)",
    step: "ステップモードの入/切: 矢印を一回押すごとに一マス進みます(Enter ボタンも同じ)",
    escape: "ゲームを終える",
    "other-key": "ほかのキー",
    forget: "選んだ向きを取り消す",
    pad: "ゲームコントローラーでも遊べます: 十字キーか左スティックが矢印、A か Start が Enter、" +
         "Back が Escape、ほかのボタンはほかのキー。「GameOver!」の箱は A、B か Start で閉じます。",
    font: "パネルの文字は IPAPゴシックから必要な字だけを抜き出した Nuikaro Gothic で描いています:" +
          "<a href=\"nuikaro-gothic-licence.txt\" lang=\"en\">ライセンス</a>。",
    storage: "ネットワークなしでも遊べるように、ブラウザーはこのページのファイル(プログラム、絵、" +
             "フォント、アイコン)を一度読み込んだあと保存します。ゲームは何も保存しません:" +
             "点数も設定もゲームのデータも残りません。",
    game: "ゲーム画面",
    up: "上",
    left: "左",
    enter: "Enter: ステップモードの入/切",
    right: "右",
    down: "下",
    help: "遊び方",
  },
};

// "ja" or "en": the first of the browser's languages that the page has.
function pageLanguage(languages) {
  for (const tag of languages || []) {
    const primary = String(tag).toLowerCase().split(/[-_;]/)[0];
    if (primary === "ja" || primary === "en") return primary;
  }
  return "en";
}

function applyTexts(language) {
  const table = TEXTS[language];
  document.documentElement.lang = language;
  for (const element of document.querySelectorAll("[data-text]")) {
    const text = table[element.dataset.text];
    if (text === undefined) continue;
    if (text.includes("<a ")) element.innerHTML = text;  // our own markup, a link in it
    else element.textContent = text;
  }
  for (const element of document.querySelectorAll("[data-label]")) {
    const text = table[element.dataset.label];
    if (text !== undefined) element.setAttribute("aria-label", text);
  }
}
