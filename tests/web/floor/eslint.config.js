// The page's own scripts against the oldest browsers it supports (the
// browserslist in package.json): a call they lack is an error, unless the
// script looks for it first.
const compat = require("eslint-plugin-compat");
const { browserslist } = require("./package.json");

module.exports = [
  {
    files: ["**/*.js"],
    plugins: { compat },
    languageOptions: { ecmaVersion: 2017, sourceType: "script" },
    settings: { browsers: browserslist },
    rules: { "compat/compat": "error" },
  },
];
