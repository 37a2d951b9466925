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
      // gives one value.
      ignore: ["css-overflow"],
    }],
  },
};
