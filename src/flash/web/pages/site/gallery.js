// The gallery's cards, for the page in either language: the page names its texts in galleryTexts
// before it loads this script. Each control plays in its card; the use button hands it to the
// skin maker, which downloads it. Cards are reached with Tab, the control's name and size are read
// out, and Enter on a card uses it.
function requestText(control) {
  return ["method=download", "flashid=" + control.flashid, "name=" + control.name,
          "url=" + new URL(control.url, location.href).href,
          "width=" + control.width, "height=" + control.height].join("\r\n");
}

function addCard(control) {
  const card = document.createElement("div");
  card.className = "card";
  card.id = "control-" + control.flashid;
  card.tabIndex = 0;
  card.setAttribute("role", "listitem");
  card.setAttribute("aria-label", control.name + galleryTexts.separator + control.width + " × " + control.height);
  const stage = document.createElement("div");
  stage.className = "stage";
  stage.style.width = control.width + "px";
  stage.style.height = control.height + "px";
  card.appendChild(stage);
  const info = document.createElement("div");
  info.className = "info";
  const name = document.createElement("b");
  name.textContent = control.name;
  const size = document.createElement("span");
  size.className = "size";
  size.textContent = control.width + " × " + control.height;
  const use = document.createElement("button");
  use.textContent = galleryTexts.use;
  use.setAttribute("aria-label", galleryTexts.useControl + control.name);
  use.addEventListener("click", () => window.external.callflashdown(requestText(control)));
  card.addEventListener("keydown", event => {
    if (event.target === card && event.key === "Enter") {
      event.preventDefault();
      use.click();
    }
  });
  info.append(name, size, use);
  card.appendChild(info);
  document.getElementById("list").appendChild(card);
  // The player plays only once it is in the document.
  if (window.RufflePlayer.newest) {
    const player = window.RufflePlayer.newest().createPlayer();
    // The movie takes no keyboard focus: Tab goes from card to card and their buttons.
    player.tabIndex = -1;
    stage.appendChild(player);
    player.load({url: control.url}).catch(() => {});
  }
}

if (typeof galleryControls === "undefined" || galleryControls.length === 0) {
  const empty = document.createElement("p");
  empty.id = "empty";
  empty.textContent = galleryTexts.empty;
  document.getElementById("list").appendChild(empty);
} else {
  galleryControls.forEach(addCard);
}
