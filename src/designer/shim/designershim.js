// The designer's side of the engine interface. It runs in the application's own script world of
// every page the designer shows: the page's scripts cannot see or change it, and it keeps working
// while the page's scripts are switched off. The editor calls __korvelDesigner.call(op, args) and
// gets back {ok, value} or {ok: false, error}.
//
// It speaks the editing model the editor was written for: selection types "None", "Text" and
// "Control", text and control ranges, upper-case tag names, sourceIndex, outerText removal and the
// old command identifiers. Whatever it adds to help editing (border and glyph rules, sheets made
// through createStyleSheet) stays out of the serialized page, out of "all" and out of sourceIndex.
(function () {
  'use strict';

  // Filled in by the editor when the script is installed: picture name -> data URL.
  const GLYPH_IMAGES = /*KORVEL_GLYPH_IMAGES*/{};

  const CONTROL_TAGS = new Set(['IMG', 'INPUT', 'SELECT', 'TEXTAREA', 'BUTTON', 'HR', 'IFRAME',
    'OBJECT', 'EMBED', 'APPLET', 'TABLE', 'MARQUEE']);
  const COLLECTIONS = new Set(['all', 'cells', 'rows', 'options', 'links', 'images', 'scripts',
    'forms', 'frames', 'anchors', 'children', 'tBodies', 'elements']);
  const FORBIDDEN_MEMBERS = new Set(['__proto__', 'constructor', 'prototype']);

  // Handles: ids start at a random base so that a handle of an earlier document does not name
  // an object of this one.
  const idBase = Math.floor(Math.random() * 1048576) * 1048576;
  let nextId = 1;
  const objects = new Map();
  const ids = new WeakMap();
  objects.set(0, document);

  const aids = [];               // elements the designer added to the page
  let borderSheet = null;        // design-time borders
  let glyphSheet = null;         // tag glyphs

  function ref(obj) {
    if (obj === null || obj === undefined)
      return null;
    if (ids.has(obj))
      return ids.get(obj);
    const id = idBase + nextId++;
    objects.set(id, obj);
    ids.set(obj, id);
    return id;
  }

  function lookup(id) {
    if (!objects.has(id))
      throw new Error('unknown handle');
    return objects.get(id);
  }

  function element(id) {
    const obj = lookup(id);
    if (!obj || obj.nodeType !== 1)
      throw new Error('not an element');
    return obj;
  }

  function textRange(id) {
    const obj = lookup(id);
    if (!obj || obj.kind !== 'text')
      throw new Error('not a text range');
    return obj.range;
  }

  function controlRange(id) {
    const obj = lookup(id);
    if (!obj || obj.kind !== 'control')
      throw new Error('not a control range');
    return obj.items;
  }

  function styleSheet(id) {
    const obj = lookup(id);
    if (!obj || typeof obj.insertRule !== 'function')
      throw new Error('not a style sheet');
    return obj;
  }

  function isAid(node) {
    for (const aid of aids) {
      if (aid === node || aid.contains(node))
        return true;
    }
    return false;
  }

  function withoutAids(list) {
    const items = Array.prototype.slice.call(list);
    return aids.length ? items.filter(item => !isAid(item)) : items;
  }

  function allElements() {
    return withoutAids(document.getElementsByTagName('*'));
  }

  // The place of an element in document order among the page's own elements. Without aids the
  // engine's live list answers directly, which on a large page is much quicker than a copy.
  function sourceIndexOf(e) {
    if (aids.length)
      return allElements().indexOf(e);
    return Array.prototype.indexOf.call(document.getElementsByTagName('*'), e);
  }

  function crlf(text) {
    return String(text).replace(/\r\n/g, '\n').replace(/\n/g, '\r\n');
  }

  function lf(text) {
    return String(text).replace(/\r\n/g, '\n');
  }

  // ---- serialization without the aids --------------------------------------------------------

  function pathFrom(root, node) {
    const path = [];
    for (let n = node; n && n !== root; n = n.parentNode)
      path.unshift(Array.prototype.indexOf.call(n.parentNode.childNodes, n));
    return path;
  }

  function follow(root, path) {
    let n = root;
    for (const index of path)
      n = n.childNodes[index];
    return n;
  }

  function serialize(node, outer) {
    const inside = aids.filter(aid => aid !== node && node.contains(aid));
    if (!inside.length)
      return outer ? node.outerHTML : node.innerHTML;
    const clone = node.cloneNode(true);
    const doomed = inside.map(aid => follow(clone, pathFrom(node, aid)));
    for (const n of doomed) {
      if (n && n.parentNode)
        n.parentNode.removeChild(n);
    }
    return outer ? clone.outerHTML : clone.innerHTML;
  }

  // ---- changes since a serialization ----------------------------------------------------------

  // Every change of the page's tree, its attributes and texts counts: a page with none since
  // its last serialization serializes the same. The watch starts with the first serialization
  // asked for, so that the parser's own insertions of a large page are never recorded.
  let watcher = null;
  let changes = 0;

  function watchChanges() {
    if (!watcher) {
      watcher = new MutationObserver(records => { changes += records.length; });
      watcher.observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
    }
    watcher.takeRecords();
    changes = 0;
  }

  function changedSinceWatched() {
    if (!watcher)
      return true;
    changes += watcher.takeRecords().length;
    return changes > 0;
  }

  // ---- selection ------------------------------------------------------------------------------

  function selectedObject(range) {
    if (range.startContainer !== range.endContainer || range.startContainer.nodeType !== 1
        || range.endOffset !== range.startOffset + 1)
      return null;
    const node = range.startContainer.childNodes[range.startOffset];
    return node && node.nodeType === 1 && CONTROL_TAGS.has(node.tagName.toUpperCase()) ? node : null;
  }

  function selectionType() {
    const selection = document.getSelection();
    if (!selection || selection.rangeCount === 0)
      return 'None';
    const range = selection.getRangeAt(0);
    if (selectedObject(range))
      return 'Control';
    return range.collapsed ? 'None' : 'Text';
  }

  function selectRange(range) {
    const selection = document.getSelection();
    selection.removeAllRanges();
    selection.addRange(range.cloneRange());
  }

  // The object a click in design mode selects as a whole: the clicked form field, picture,
  // rule, frame or object (or the one that holds the click), or a table clicked on itself
  // rather than in one of its cells.
  function objectAt(target) {
    for (let n = target; n && n.nodeType === 1 && n !== document.body; n = n.parentElement) {
      const tag = n.tagName.toUpperCase();
      if (tag === 'TABLE')
        return n === target ? n : null;
      if (CONTROL_TAGS.has(tag))
        return n;
    }
    return null;
  }

  document.addEventListener('mousedown', event => {
    if (document.designMode !== 'on' || event.button !== 0)
      return;
    const object = objectAt(event.target);
    if (!object)
      return;
    event.preventDefault();
    const range = document.createRange();
    range.selectNode(object);
    selectRange(range);
  }, true);

  function plainText(range) {
    if (range.collapsed)
      return '';
    // The selection's own text follows the layout (line breaks for blocks and <br>), which a
    // range's toString does not; the current selection is put back afterwards.
    const selection = document.getSelection();
    const saved = [];
    for (let i = 0; i < selection.rangeCount; ++i)
      saved.push(selection.getRangeAt(i).cloneRange());
    selection.removeAllRanges();
    selection.addRange(range.cloneRange());
    const text = selection.toString();
    selection.removeAllRanges();
    for (const r of saved)
      selection.addRange(r);
    return crlf(text);
  }

  function textFragment(text) {
    const fragment = document.createDocumentFragment();
    const lines = lf(text).split('\n');
    lines.forEach((line, index) => {
      if (index > 0)
        fragment.appendChild(document.createElement('br'));
      if (line.length)
        fragment.appendChild(document.createTextNode(line));
    });
    return fragment;
  }

  // Parsed in a template, so that scripts in the fragment are never run and table parts
  // (rows, cells) keep their tags without a table around them.
  function htmlFragment(html) {
    const template = document.createElement('template');
    template.innerHTML = html;
    return document.importNode(template.content, true);
  }

  function replaceRange(range, fragment) {
    range.deleteContents();
    const first = fragment.firstChild;
    const last = fragment.lastChild;
    range.insertNode(fragment);
    if (first && last) {
      range.setStartBefore(first);
      range.setEndAfter(last);
    }
    return { first, last };
  }

  function rangeRect(range) {
    let rect = range.getBoundingClientRect();
    if (rect.width === 0 && rect.height === 0) {
      const rects = range.getClientRects();
      if (rects.length)
        rect = rects[0];
      else {
        let n = range.startContainer;
        if (n.nodeType !== 1) n = n.parentElement;
        if (!n) throw new Error('range has no position');
        rect = n.getBoundingClientRect();
      }
    }
    return rect;
  }

  // ---- editing commands -----------------------------------------------------------------------

  function escapeAttribute(value) {
    return String(value).replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
  }

  function idAttribute(value) {
    if (value === null || value === undefined || value === '' || value === 0 || value === '0'
        || value === false)
      return '';
    return ' id="' + escapeAttribute(value) + '"';
  }

  // The identifiers Chromium lacks become an insertion of the same element.
  const INSERTED_ELEMENTS = {
    insertinputtext: id => '<input type="text"' + id + '>',
    insertinputpassword: id => '<input type="password"' + id + '>',
    insertinputfileupload: id => '<input type="file"' + id + '>',
    insertinputhidden: id => '<input type="hidden"' + id + '>',
    insertinputradio: id => '<input type="radio"' + id + '>',
    insertinputcheckbox: id => '<input type="checkbox"' + id + '>',
    insertinputbutton: id => '<input type="button"' + id + '>',
    inserttextarea: id => '<textarea' + id + '></textarea>',
    insertselectlistbox: id => '<select multiple' + id + '></select>',
    insertselectdropdown: id => '<select' + id + '></select>',
    insertiframe: id => '<iframe' + id + '></iframe>',
    insertbutton: id => '<button' + id + '></button>',
    insertfieldset: id => '<fieldset' + id + '></fieldset>',
    insertmarquee: id => '<marquee' + id + '></marquee>',
  };

  function isEditable(node) {
    const e = node.nodeType === 1 ? node : node.parentElement;
    return !!e && (document.designMode === 'on' || e.isContentEditable);
  }

  function colourValue(value) {
    if (typeof value === 'number') {
      const bgr = value & 0xffffff;
      const hex = n => (n & 0xff).toString(16).padStart(2, '0').toUpperCase();
      return '#' + hex(bgr) + hex(bgr >> 8) + hex(bgr >> 16);
    }
    return String(value);
  }

  function execCommand(command, value) {
    const name = String(command).toLowerCase();
    if (name === '2d-position')
      return true;
    if (document.designMode !== 'on')
      throw new Error('design mode is off');
    let done;
    if (name === 'insertinputhidden') {
      // The engine's own insertion drops content that is not shown; a hidden field goes in
      // through the DOM at the selection instead.
      const selection = document.getSelection();
      if (!selection.rangeCount || !isEditable(selection.getRangeAt(0).startContainer))
        throw new Error('nothing selected to edit');
      const range = selection.getRangeAt(0).cloneRange();
      const { last } = replaceRange(range, htmlFragment(INSERTED_ELEMENTS[name](idAttribute(value))));
      if (last) range.setStartAfter(last);
      range.collapse(!last);
      selectRange(range);
      done = true;
    } else if (INSERTED_ELEMENTS[name])
      done = document.execCommand('insertHTML', false, INSERTED_ELEMENTS[name](idAttribute(value)));
    else if (name === 'forecolor' || name === 'backcolor')
      done = document.execCommand(name, false, colourValue(value));
    else if (value === null || value === undefined)
      done = document.execCommand(name, false);
    else
      done = document.execCommand(name, false, String(value));
    if (!done)
      throw new Error('command not done: ' + command);
    return true;
  }

  function adopt(sheet, on) {
    const others = document.adoptedStyleSheets.filter(s => s !== sheet);
    document.adoptedStyleSheets = on ? others.concat([sheet]) : others;
  }

  function showBorders(on) {
    if (!borderSheet) {
      borderSheet = new CSSStyleSheet();
      borderSheet.replaceSync(
        'table, td, th, form, div { outline: 1px dotted gray; outline-offset: -1px; }\n'
        + 'img { outline: 1px solid gray; outline-offset: -1px; }');
    }
    adopt(borderSheet, on);
  }

  function addGlyphs(entries) {
    if (!Array.isArray(entries))
      throw new Error('no glyph table');
    if (!glyphSheet) {
      glyphSheet = new CSSStyleSheet();
      adopt(glyphSheet, true);
    }
    let added = 0;
    for (const entry of entries) {
      const image = GLYPH_IMAGES[entry.image];
      const tag = String(entry.tag).toLowerCase();
      if (!image || !/^[a-z][a-z0-9]*$/.test(tag) || tag === 'comment')
        continue;
      const where = entry.end ? '::after' : '::before';
      glyphSheet.insertRule(tag + where + ' { content: url("' + image + '"); width: ' + Number(entry.width)
        + 'px; height: ' + Number(entry.height) + 'px; }', glyphSheet.cssRules.length);
      ++added;
    }
    return added;
  }

  // The borders and the glyphs belong to editing: a page that is only shown looks as written.
  function hideAids() {
    if (borderSheet)
      adopt(borderSheet, false);
    if (glyphSheet)
      glyphSheet.replaceSync('');
  }

  function exec(command, value) {
    switch (command) {
      case 2328:
        showBorders(!!value);
        return true;
      case 2336:
        if (glyphSheet)
          glyphSheet.replaceSync('');
        return true;
      case 2337:
        return addGlyphs(value);
      default:
        throw new Error('unknown command ' + command);
    }
  }

  // ---- members --------------------------------------------------------------------------------

  function attributeName(name) {
    const lower = String(name).toLowerCase();
    if (lower === 'classname')
      return 'class';
    if (lower === 'htmlfor')
      return 'for';
    return lower;
  }

  function isPlain(value) {
    return value === null || ['string', 'number', 'boolean'].includes(typeof value);
  }

  // A member the DOM knows is read and written as such; any other member of an element is its
  // attribute, as the old model reflected unknown members (body.leftMargin, frameSpacing...).
  function readMember(obj, name) {
    if (FORBIDDEN_MEMBERS.has(name))
      throw new Error('no such member');
    if (name in obj) {
      const value = obj[name];
      if (!isPlain(value))
        throw new Error('member is not a value: ' + name);
      return value;
    }
    if (obj.nodeType === 1) {
      const value = obj.getAttribute(attributeName(name));
      return value === null ? '' : value;
    }
    throw new Error('no such member: ' + name);
  }

  function writeMember(obj, name, value) {
    if (FORBIDDEN_MEMBERS.has(name) || !isPlain(value))
      throw new Error('cannot write member: ' + name);
    if (name in obj) {
      if (!isPlain(obj[name]))
        throw new Error('member is not a value: ' + name);
      obj[name] = value;
      return true;
    }
    if (obj.nodeType === 1) {
      obj.setAttribute(attributeName(name), String(value));
      return true;
    }
    throw new Error('no such member: ' + name);
  }

  function collection(obj, name) {
    if (!COLLECTIONS.has(name))
      throw new Error('no such collection: ' + name);
    if (name === 'all' && !aids.length)
      return obj.getElementsByTagName('*');
    if (name === 'all')
      return obj === document ? allElements() : withoutAids(obj.getElementsByTagName('*'));
    if (name === 'frames' && obj === document)
      return Array.prototype.slice.call(document.querySelectorAll('frame, iframe'));
    const list = obj[name];
    if (!list || typeof list.length !== 'number')
      throw new Error('no such collection: ' + name);
    return withoutAids(list);
  }

  // The operations and the entry point follow in designerops.js, which the editor appends.
