// Checks the browser calls the program makes by name from C++
// (browser_calls.json) against MDN's compatibility data, for the oldest
// browsers the page supports (the browserslist in package.json): each call
// must be there in full, or name a call that is, which the program makes
// where the first is missing. Chrome's floor holds for Chrome on Android
// and Android's web view too. Prints one line a call; exits 1 on a failure.
const bcd = require("@mdn/browser-compat-data");
const browserslist = require("browserslist");
const { browserslist: floorQuery } = require("./package.json");
const { calls } = require("./browser_calls.json");

const bcdNames = { chrome: ["chrome", "chrome_android", "webview_android"], safari: ["safari"],
                   ios_saf: ["safari_ios"], firefox: ["firefox"] };
const version = (text) => text.split("-")[0].split(".").map(Number);
const older = (a, b) => {
  for (let i = 0; i < Math.max(a.length, b.length); i++) {
    if ((a[i] || 0) !== (b[i] || 0)) return (a[i] || 0) < (b[i] || 0);
  }
  return false;
};

// The oldest version of each browser the floor names, by MDN's names.
const floor = {};
for (const entry of browserslist(floorQuery)) {
  const [name, number] = entry.split(" ");
  for (const bcdName of bcdNames[name] || []) {
    if (!floor[bcdName] || older(version(number), floor[bcdName])) floor[bcdName] = version(number);
  }
}

// Whether `key` is there, whole, in every browser of the floor.
const lacking = (key) => {
  let data = bcd;
  for (const part of key.split(".")) data = data && data[part];
  if (!data || !data.__compat) return ["not in MDN's data"];
  return Object.entries(floor).filter(([browser, oldest]) => {
    const full = [].concat(data.__compat.support[browser] || []).filter((support) =>
      !support.flags && !support.prefix && !support.alternative_name &&
      !support.partial_implementation && !support.version_removed);
    return !full.some((support) => support.version_added === true ||
      (typeof support.version_added === "string" &&
       !older(oldest, version(support.version_added.replace("≤", "")))));
  }).map(([browser, oldest]) => `${browser} ${oldest.join(".")}`);
};

let failed = false;
for (const [key, instead] of Object.entries(calls)) {
  const missing = lacking(key);
  if (missing.length === 0) {
    console.log(`ok   ${key}`);
  } else if (instead !== null && lacking(instead).length === 0) {
    console.log(`ok   ${key}: lacking in ${missing.join(", ")}, where ${instead} serves`);
  } else {
    console.log(`FAIL ${key}: lacking in ${missing.join(", ")}`);
    failed = true;
  }
}
process.exit(failed ? 1 : 0);
