// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What the program asks of the page, handed on to page.js (VeskPage) with
// its texts decoded from UTF-8 and its descriptions from JSON.
mergeInto(LibraryManager.library, {
  vesk_page_window: function (window, json) {
    VeskPage.window(window, JSON.parse(UTF8ToString(json)));
  },
  vesk_page_control: function (window, row, json) {
    VeskPage.control(window, row, JSON.parse(UTF8ToString(json)));
  },
  vesk_page_line: function (window, json) {
    VeskPage.line(window, JSON.parse(UTF8ToString(json)));
  },
  vesk_page_set_text: function (window, row, text) {
    VeskPage.setText(window, row, UTF8ToString(text));
  },
  vesk_page_text__deps: ['malloc'],
  vesk_page_text: function (window, row) {
    var text = VeskPage.text(window, row);
    var size = lengthBytesUTF8(text) + 1;
    var at = _malloc(size);
    stringToUTF8(text, at, size);
    return at;
  },
  vesk_page_set_value: function (window, row, position, shown) {
    VeskPage.setValue(window, row, position, UTF8ToString(shown));
  },
  vesk_page_set_colour: function (window, row, colour) {
    VeskPage.setColour(window, row, UTF8ToString(colour));
  },
  vesk_page_show: function (window) { VeskPage.show(window); },
  vesk_page_show_modal: function (window) { VeskPage.showModal(window); },
  vesk_page_hide: function (window) { VeskPage.hide(window); },
  vesk_page_remove: function (window) { VeskPage.remove(window); },
  vesk_page_left: function (window) { return VeskPage.place(window).left; },
  vesk_page_top: function (window) { return VeskPage.place(window).top; },
  vesk_page_move: function (window, left, top) { VeskPage.move(window, left, top); },
  vesk_page_end: function () { VeskPage.end(); }
});
