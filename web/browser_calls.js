// What the program asks of the browser and the browser may refuse (a page
// script, an extension or the browser itself can make a property or a
// method throw): each call returns {value} or {failure: the browser's
// message}, which the program raises as a failure of its own, so that a
// handler stops there as it would on the desktop.
Module["rongxiBrowser"] = (() => {
  const attempt = (action) => {
    try {
      return {value: action()};
    } catch (error) {
      return {failure: String(error && error.message !== undefined ? error.message : error)};
    }
  };
  return {
    get: (object, key) => attempt(() => object[key]),
    set: (object, key, value) => attempt(() => { object[key] = value; }),
    call: (object, method, args) => attempt(() => object[method](...args)),
  };
})();
