// The page's style sheet against the oldest browsers it supports (the
// browserslist in package.json).
const { browserslist } = require("./package.json");

module.exports = {
  plugins: ["stylelint-no-unsupported-browser-features"],
  rules: {
    "plugin/no-unsupported-browser-features": [true, {
      browsers: browserslist,
      severity: "error",
      // Partial support there is of overflow's two-value form; the sheet
      // gives one value. Browsers without resize (iOS) have no grip on a
      // text area for "resize: none" to take away.
      ignore: ["css-overflow", "css-resize"],
    }],
  },
};
