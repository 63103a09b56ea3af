// Table snapshots for the designer script: a table read as plain data in one call, and a changed
// snapshot written back in one call. It runs in front of the designer script, in the same
// script world, and hands that script its operations; the form of a snapshot is the one of
// tables/tablesnapshotjson.h.
//
// Writing back keeps the table element, its attributes and everything in it that is not a row
// (caption, column groups), and the row group elements with the attributes of the snapshot; the
// rows and cells that differ from the snapshot are built afresh (all rows of a group whose
// number of rows changes). Everything is built and checked before the table is touched,
// so a snapshot that does not fit changes nothing.
function korvelTableOperations(element, ref) {
  'use strict';

  const SECTIONS = new Set(['THEAD', 'TBODY', 'TFOOT']);
  const CELLS = new Set(['TD', 'TH']);

  function tag(node) {
    return node && node.nodeType === 1 ? node.tagName.toUpperCase() : '';
  }

  // The table a table element, row group, row or cell belongs to.
  function tableOf(e) {
    let n = e;
    if (CELLS.has(tag(n)))
      n = n.parentElement;
    if (tag(n) === 'TR')
      n = n.parentElement;
    if (SECTIONS.has(tag(n)))
      n = n.parentElement;
    if (tag(n) !== 'TABLE')
      throw new Error('not in a table');
    return n;
  }

  // The row groups in document order: each section, and each run of rows that are children of
  // the table itself (tag '').
  function groupsOf(table) {
    const groups = [];
    let run = null;
    for (const child of Array.from(table.children)) {
      const name = tag(child);
      if (SECTIONS.has(name)) {
        groups.push({ tag: name, section: child, rows: Array.from(child.children).filter(r => tag(r) === 'TR') });
        run = null;
      } else if (name === 'TR') {
        if (!run) {
          run = { tag: '', section: null, rows: [] };
          groups.push(run);
        }
        run.rows.push(child);
      }
    }
    return groups;
  }

  function cellsOf(row) {
    return Array.from(row.children).filter(c => CELLS.has(tag(c)));
  }

  function attributesOf(e) {
    return Array.from(e.attributes).map(a => [a.name, a.value]);
  }

  function readCell(cell) {
    return { tag: tag(cell), rowSpan: cell.rowSpan, colSpan: cell.colSpan, attributes: attributesOf(cell),
             html: cell.innerHTML };
  }

  function origin(e, groups) {
    const row = CELLS.has(tag(e)) ? e.parentElement : tag(e) === 'TR' ? e : null;
    if (!row)
      return null;
    for (let g = 0; g < groups.length; ++g) {
      const r = groups[g].rows.indexOf(row);
      if (r >= 0)
        return { group: g, row: r, cell: row === e ? -1 : cellsOf(row).indexOf(e) };
    }
    return null;
  }

  function snapshot(e) {
    const groups = groupsOf(tableOf(e));
    const result = {
      groups: groups.map(g => ({
        tag: g.tag,
        attributes: g.section ? attributesOf(g.section) : [],
        rows: g.rows.map(r => ({ attributes: attributesOf(r), cells: cellsOf(r).map(readCell) })),
      })),
    };
    const where = origin(e, groups);
    if (where)
      result.origin = where;
    return result;
  }

  function list(value, what) {
    if (value === undefined)
      return [];
    if (!Array.isArray(value))
      throw new Error('snapshot: ' + what + ' is not a list');
    return value;
  }

  function setAttributes(e, attributes) {
    for (const pair of list(attributes, 'attributes')) {
      if (!Array.isArray(pair) || pair.length !== 2)
        throw new Error('snapshot: attribute is not a name and a value');
      e.setAttribute(String(pair[0]), String(pair[1]));
    }
  }

  function buildCell(data) {
    const name = String(data && data.tag || '').toUpperCase();
    if (!CELLS.has(name))
      throw new Error('snapshot: a cell is neither TD nor TH');
    const cell = document.createElement(name.toLowerCase());
    setAttributes(cell, data.attributes);
    cell.innerHTML = data.html === undefined ? '' : String(data.html);
    // The spans win over attributes that say otherwise.
    if (typeof data.colSpan === 'number' && cell.colSpan !== data.colSpan)
      cell.colSpan = data.colSpan;
    if (typeof data.rowSpan === 'number' && cell.rowSpan !== data.rowSpan)
      cell.rowSpan = data.rowSpan;
    return cell;
  }

  function buildRow(data) {
    const row = document.createElement('tr');
    setAttributes(row, data && data.attributes);
    for (const cell of list(data && data.cells, 'cells'))
      row.appendChild(buildCell(cell));
    return row;
  }

  function sameAttributes(e, attributes) {
    const wanted = list(attributes, 'attributes');
    if (e.attributes.length !== wanted.length)
      return false;
    return wanted.every((pair, i) => Array.isArray(pair) && pair.length === 2
      && e.attributes[i].name === String(pair[0]) && e.attributes[i].value === String(pair[1]));
  }

  function sameCell(cell, data) {
    return !!data && tag(cell) === String(data.tag || '').toUpperCase() && sameAttributes(cell, data.attributes)
      && cell.innerHTML === (data.html === undefined ? '' : String(data.html))
      && (typeof data.colSpan !== 'number' || cell.colSpan === data.colSpan)
      && (typeof data.rowSpan !== 'number' || cell.rowSpan === data.rowSpan);
  }

  // When a group keeps its number of rows, only the cells (or rows) that differ from the
  // snapshot are built and put in place of the old ones: a change to a few cells of a large
  // table neither parses nor lays out the rest again, and the text between the rows stays.
  // The answer is the list of [old, new] pairs, or null when the rows are built afresh.
  function changesOf(rows, wanted) {
    if (rows.length !== wanted.length)
      return null;
    const changes = [];
    wanted.forEach((data, r) => {
      const row = rows[r];
      const cells = cellsOf(row);
      const wantedCells = list(data && data.cells, 'cells');
      if (!sameAttributes(row, data && data.attributes) || cells.length !== wantedCells.length
          || row.children.length !== cells.length) {
        changes.push([row, buildRow(data)]);
        return;
      }
      wantedCells.forEach((cell, c) => {
        if (!sameCell(cells[c], cell))
          changes.push([cells[c], buildCell(cell)]);
      });
    });
    return changes;
  }

  function apply(e, data) {
    const table = tableOf(e);
    const current = groupsOf(table);
    const wanted = list(data && data.groups, 'groups');
    if (wanted.length !== current.length)
      throw new Error('snapshot: the row groups do not match the table');
    const built = wanted.map((group, g) => {
      if (String(group && group.tag || '').toUpperCase() !== current[g].tag)
        throw new Error('snapshot: the row groups do not match the table');
      // The group's attributes are tried on a scratch element first, so that a bad name
      // fails here and not halfway through the table.
      const scratch = document.createElement(current[g].tag ? current[g].tag.toLowerCase() : 'tbody');
      setAttributes(scratch, group.attributes);
      const wantedRows = list(group.rows, 'rows');
      const changes = changesOf(current[g].rows, wantedRows);
      return { attributes: scratch.attributes, changes, rows: changes ? null : wantedRows.map(buildRow) };
    });
    current.forEach((group, g) => {
      if (group.section) {
        for (const a of Array.from(group.section.attributes))
          group.section.removeAttribute(a.name);
        for (const a of Array.from(built[g].attributes))
          group.section.setAttribute(a.name, a.value);
      }
      if (built[g].changes) {
        for (const [old, now] of built[g].changes)
          old.replaceWith(now);
        return;
      }
      const rows = built[g].rows;
      if (group.section) {
        group.section.replaceChildren(...rows);
      } else {
        group.rows[0].before(...rows);
        for (const old of group.rows)
          old.remove();
      }
    });
    return true;
  }

  function cellAt(e, g, r, c) {
    const groups = groupsOf(tableOf(e));
    const row = groups[g] && groups[g].rows[r];
    const cell = row && cellsOf(row)[c];
    if (!cell)
      throw new Error('no such cell');
    return cell;
  }

  return {
    tableSnapshot: id => snapshot(element(id)),
    applyTableSnapshot: (id, data) => apply(element(id), data),
    tableCell: (id, g, r, c) => ref(cellAt(element(id), g, r, c)),
  };
}
