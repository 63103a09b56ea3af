// The designer script, second part: the operations the editor calls by name, and the entry point.
// It continues the first part, designershim.js, inside the same function: the editor joins the
// two before it injects them, so the operations see that part's helpers.
  // ---- the operations -------------------------------------------------------------------------

  const ops = {
    // elements and the document (id 0)
    tagName: id => element(id).tagName.toUpperCase(),
    parent: id => ref(element(id).parentElement),
    outerHTML: id => serialize(element(id), true),
    setOuterHTML: (id, html) => {
      const e = element(id);
      if (!e.parentNode || e.parentNode.nodeType !== 1)
        throw new Error('element cannot be replaced');
      if (html === '') e.remove(); else e.outerHTML = html;
      return true;
    },
    innerHTML: id => serialize(element(id), false),
    setInnerHTML: (id, html) => { element(id).innerHTML = html; return true; },
    innerText: id => crlf(element(id).innerText),
    setInnerText: (id, text) => { element(id).innerText = lf(text); return true; },
    outerText: id => crlf(element(id).innerText),
    setOuterText: (id, text) => {
      const e = element(id);
      if (!e.parentNode || e.parentNode.nodeType !== 1)
        throw new Error('element cannot be replaced');
      if (text === '') e.remove(); else e.replaceWith(textFragment(text));
      return true;
    },
    // The element's children take its place, in one step, so nothing is lost on the way.
    unwrap: id => {
      const e = element(id);
      const parent = e.parentNode;
      if (!parent || parent.nodeType !== 1)
        throw new Error('element cannot be replaced');
      while (e.firstChild)
        parent.insertBefore(e.firstChild, e);
      e.remove();
      return true;
    },
    getAttr: (id, name) => element(id).getAttribute(attributeName(name)),
    setAttr: (id, name, value) => { element(id).setAttribute(attributeName(name), String(value)); return true; },
    removeAttr: (id, name) => { element(id).removeAttribute(attributeName(name)); return true; },
    style: id => element(id).style.cssText,
    setStyle: (id, text) => { element(id).style.cssText = String(text); return true; },
    sourceIndex: id => sourceIndexOf(element(id)),
    currentStyle: (id, name) => getComputedStyle(element(id)).getPropertyValue(String(name)),
    prop: (id, name) => readMember(lookup(id), String(name)),
    setProp: (id, name, value) => writeMember(lookup(id), String(name), value),
    collLength: (id, name) => collection(lookup(id), String(name)).length,
    collItem: (id, name, index) => {
      const list = collection(lookup(id), String(name));
      if (index < 0 || index >= list.length)
        throw new Error('index out of range');
      return ref(list[index]);
    },
    insertRow: (id, index) => ref(element(id).insertRow(index)),
    insertCell: (id, index) => ref(element(id).insertCell(index)),
    deleteRow: (id, index) => { element(id).deleteRow(index); return true; },
    deleteCell: (id, index) => { element(id).deleteCell(index); return true; },

    // the document
    designMode: () => (document.designMode === 'on' ? 'On' : 'Off'),
    setDesignMode: (id, on) => {
      document.designMode = on ? 'on' : 'off';
      if (!on)
        hideAids();
      // Typing right after the switch goes to the page: a caret at the start of the body where
      // the page has no selection yet.
      const selection = window.getSelection();
      if (on && document.body && selection && selection.rangeCount === 0)
        selection.collapse(document.body, 0);
      return true;
    },
    execCommand: (id, command, value) => execCommand(command, value),
    exec: (id, command, value) => exec(command, value),
    docElement: (id, which) => {
      if (which === 'body') return ref(document.body);
      if (which === 'documentElement') return ref(document.documentElement);
      if (which === 'activeElement') return ref(document.activeElement);
      throw new Error('no such element');
    },
    serialize: () => serialize(document.documentElement, true),
    // The serialization, from which on the page's changes are counted: the editor keeps it
    // and takes it again only when the page has changed since.
    serializeWatched: () => {
      watchChanges();
      return serialize(document.documentElement, true);
    },
    changedSinceWatched: () => changedSinceWatched(),
    // The fragment goes at the end of the head, in front of the designer's own aids there, so
    // that a style block the user adds lands among the page's own head elements.
    headAppend: (id, html) => {
      const head = document.head;
      if (!head)
        throw new Error('the page has no head');
      const firstAid = Array.prototype.find.call(head.childNodes, n => aids.includes(n)) || null;
      head.insertBefore(htmlFragment(String(html)), firstAid);
      return true;
    },
    sheetCount: () => document.styleSheets.length,
    sheetItem: (id, index) => {
      if (index < 0 || index >= document.styleSheets.length)
        throw new Error('index out of range');
      return ref(document.styleSheets[index]);
    },
    createSheet: (id, index) => {
      const style = document.createElement('style');
      aids.push(style);
      const sheets = document.styleSheets;
      const before = index >= 0 && index < sheets.length ? sheets[index].ownerNode : null;
      if (before && before.parentNode)
        before.parentNode.insertBefore(style, before);
      else
        (document.head || document.documentElement).appendChild(style);
      return ref(style.sheet);
    },

    // the selection
    selType: () => selectionType(),
    selTextRange: () => {
      const selection = document.getSelection();
      let range;
      if (selection && selection.rangeCount)
        range = selection.getRangeAt(0).cloneRange();
      else {
        range = document.createRange();
        range.setStart(document.body || document.documentElement, 0);
        range.collapse(true);
      }
      return ref({ kind: 'text', range });
    },
    selControlRange: () => {
      const selection = document.getSelection();
      const object = selection && selection.rangeCount ? selectedObject(selection.getRangeAt(0)) : null;
      if (!object)
        throw new Error('no object selected');
      return ref({ kind: 'control', items: [object] });
    },
    selEmpty: () => { document.getSelection().removeAllRanges(); return true; },

    // text ranges
    rText: id => plainText(textRange(id)),
    rSetText: (id, text) => { replaceRange(textRange(id), textFragment(text)); return true; },
    rHtml: id => {
      const holder = document.createElement('div');
      holder.appendChild(textRange(id).cloneContents());
      return holder.innerHTML;
    },
    rParent: id => {
      let n = textRange(id).commonAncestorContainer;
      if (n.nodeType !== 1) n = n.parentElement || document.documentElement;
      return ref(n);
    },
    rPaste: (id, html) => {
      const range = textRange(id);
      const { last } = replaceRange(range, htmlFragment(html));
      if (last) range.setStartAfter(last);
      range.collapse(!last);
      return true;
    },
    rMoveToElement: (id, elementId) => { textRange(id).selectNodeContents(element(elementId)); return true; },
    rMoveToPoint: (id, x, y) => {
      const caret = document.caretRangeFromPoint(x, y);
      if (!caret)
        throw new Error('no text at that point');
      const range = textRange(id);
      range.setStart(caret.startContainer, caret.startOffset);
      range.collapse(true);
      return true;
    },
    rCollapse: (id, toStart) => { textRange(id).collapse(!!toStart); return true; },
    rSelect: id => { selectRange(textRange(id)); return true; },
    rOffset: (id, which) => {
      const rect = rangeRect(textRange(id));
      return Math.ceil(which === 'left' ? rect.left : rect.top);
    },

    // control ranges
    cLength: id => controlRange(id).length,
    cItem: (id, index) => {
      const items = controlRange(id);
      if (index < 0 || index >= items.length)
        throw new Error('index out of range');
      return ref(items[index]);
    },
    cCommonParent: id => {
      const items = controlRange(id);
      if (items.length === 1)
        return ref(items[0]);
      const range = document.createRange();
      range.setStartBefore(items[0]);
      range.setEndAfter(items[items.length - 1]);
      let n = range.commonAncestorContainer;
      if (n.nodeType !== 1) n = n.parentElement;
      return ref(n);
    },

    // style sheets
    sTitle: id => styleSheet(id).title || '',
    sSetTitle: (id, title) => {
      const owner = styleSheet(id).ownerNode;
      if (!owner) throw new Error('sheet has no owner');
      owner.setAttribute('title', String(title));
      return true;
    },
    sDisabled: id => !!styleSheet(id).disabled,
    sSetDisabled: (id, disabled) => { styleSheet(id).disabled = !!disabled; return true; },
    sAddRule: (id, selector, style, index) => {
      const sheet = styleSheet(id);
      const at = index >= 0 && index <= sheet.cssRules.length ? index : sheet.cssRules.length;
      sheet.insertRule(String(selector) + ' { ' + String(style) + ' }', at);
      return true;
    },
    sOwner: id => ref(styleSheet(id).ownerNode),
  };

  // The table snapshots, when their script came in front of this one.
  if (typeof korvelTableOperations === 'function')
    Object.assign(ops, korvelTableOperations(element, ref));

  function call(op, args) {
    try {
      if (!Object.prototype.hasOwnProperty.call(ops, op))
        throw new Error('unknown operation ' + op);
      const value = ops[op].apply(null, args);
      return { ok: true, value: value === undefined ? null : value };
    } catch (error) {
      return { ok: false, error: String(error && error.message ? error.message : error) };
    }
  }

  Object.defineProperty(window, '__korvelDesigner', {
    value: Object.freeze({ call }),
    enumerable: false,
    configurable: false,
    writable: false,
  });
})();
