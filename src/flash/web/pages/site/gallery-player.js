// The flash player's settings for the gallery, read when the player's script loads.
window.RufflePlayer = window.RufflePlayer || {};
// Movies play at once, without the player's own menus, overlays or network use.
window.RufflePlayer.config = {
  publicPath: "/player/", polyfills: false, autoplay: "on", unmuteOverlay: "hidden", splashScreen: false,
  contextMenu: "off", wmode: "transparent", openUrlMode: "deny", allowNetworking: "none", logLevel: "error",
  // A script that runs this long is stopped, so that one looping movie cannot stall the others.
  maxExecutionDuration: 1,
  // Nothing runs while the page is hidden: kept going in the background, the player would start a
  // worker from a script of its own making, which the pages' security policy does not allow.
  backgroundExecutionMode: "none"
};
