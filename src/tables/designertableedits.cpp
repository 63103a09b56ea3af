#include "tables/designertableedits.h"

#include "app/messages.h"
#include "designer/designercontext.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "prompt/prompter.h"
#include "source/texthelpers.h"
#include "tables/elementactions.h"
#include "tables/sourcemerge.h"
#include "tables/tablesnapshotjson.h"

#include <QJsonObject>
#include "tables/tableundo.h"
#include "tables/tforminstr.h"
#include "tables/tformseltd.h"

namespace korvel {

struct DesignerTableEdits::ReadTable {
    HtmlElement table;
    QString contentBefore; // for Undo
    TableSnapshot snapshot;
    CellAddress origin;
};

namespace {

bool isTag(const std::optional<QString> &tag, const char *name)
{
    return tag && *tag == QLatin1String(name);
}

bool endsWalk(const std::optional<QString> &tag)
{
    return !tag || isTag(tag, "BODY") || isTag(tag, "HTML");
}

// The table a cell or row belongs to: a few steps up at most (row group, table).
std::optional<HtmlElement> tableOf(HtmlElement element)
{
    for (int step = 0; step < 4; ++step) {
        const auto tag = element.tagName();
        if (isTag(tag, "TABLE"))
            return element;
        if (endsWalk(tag))
            return std::nullopt;
        const auto parent = element.parentElement();
        if (!parent)
            return std::nullopt;
        element = *parent;
    }
    return std::nullopt;
}

// The nearest cell around the element, within its nearest table.
std::optional<HtmlElement> cellAround(HtmlElement element)
{
    for (;;) {
        const auto tag = element.tagName();
        if (isTag(tag, "TD"))
            return element;
        if (endsWalk(tag) || isTag(tag, "TABLE"))
            return std::nullopt;
        const auto parent = element.parentElement();
        if (!parent)
            return std::nullopt;
        element = *parent;
    }
}

// The index in the row of the cell of that row that holds the element, however deep inside.
std::optional<int> indexInRow(HtmlElement element, const HtmlElement &row)
{
    for (;;) {
        if (endsWalk(element.tagName()))
            return std::nullopt;
        const auto parent = element.parentElement();
        if (!parent)
            return std::nullopt;
        if (*parent == row)
            return element.cellIndex();
        element = *parent;
    }
}

void selectContentOf(const HtmlDocument &page, const HtmlElement &element)
{
    const auto range = page.selection().createTextRange();
    if (range && range->moveToElementText(element))
        range->select();
}

} // namespace

std::optional<DesignerTableEdits::ReadTable> DesignerTableEdits::read(const HtmlElement &element)
{
    const auto json = element.tableSnapshot();
    const auto snapshot = json ? tableSnapshotFromJson(*json) : std::nullopt;
    const auto table = snapshot ? tableOf(element) : std::nullopt;
    const auto content = table ? table->innerHTML() : std::nullopt;
    if (!content || !snapshot->origin) {
        m_ctx.prompter().warning(m_ctx.line(kLineTableNotFound));
        return std::nullopt;
    }
    return ReadTable{*table, *content, *snapshot, *snapshot->origin};
}

void DesignerTableEdits::report(GridRefusal refusal, int failedLine)
{
    switch (refusal) {
    case GridRefusal::None:
        return;
    case GridRefusal::NoCellBelow:
        return; // as at the last row: the table stays as it is
    case GridRefusal::TooFewCells:
        m_ctx.prompter().error(m_ctx.line(kLineSelectTwoTableCells));
        return;
    case GridRefusal::CellsInSeveralRows:
        m_ctx.prompter().error(m_ctx.line(kLineAcrossRows));
        return;
    case GridRefusal::NoSuchCell:
        m_ctx.prompter().information(m_ctx.line(kLineCellNotFound));
        return;
    case GridRefusal::NotRectangular:
    case GridRefusal::CellsNotSideBySide:
    case GridRefusal::NoNeighbour:
    case GridRefusal::BrokenResult:
        m_ctx.prompter().error(m_ctx.line(failedLine));
        return;
    }
}

bool DesignerTableEdits::write(const ReadTable &table, const GridOutcome &outcome, int failedLine)
{
    if (!outcome.done()) {
        report(outcome.refusal, failedLine);
        return false;
    }
    if (!table.table.applyTableSnapshot(tableSnapshotToJson(outcome.table))) {
        m_ctx.prompter().error(m_ctx.line(failedLine));
        return false;
    }
    m_undo.addContentStep(table.table, table.contentBefore);
    const auto page = m_ctx.browser.Document();
    if (page && outcome.cell) {
        if (const auto cell = table.table.tableCell(outcome.cell->group, outcome.cell->row, outcome.cell->cell))
            selectContentOf(*page, *cell);
    }
    return true;
}

bool DesignerTableEdits::change(const HtmlElement &element, const Operation &operation, int failedLine)
{
    const auto table = read(element);
    return table && write(*table, operation(table->snapshot, table->origin), failedLine);
}

void DesignerTableEdits::InsertRow(const HtmlElement &row)
{
    const auto table = read(row);
    if (!table)
        return;
    const auto position =
        runInsertRowDialog(m_rowDialog, m_ctx.prompter(), m_ctx.shell.state().UiLanguage);
    if (!position)
        return;
    const RowPlace place = *position == 0 ? RowPlace::Above : *position == 1 ? RowPlace::Below : RowPlace::AtEnd;
    write(*table, insertRow(table->snapshot, table->origin.group, table->origin.row, place), Msg::InvalidSelection);
}

void DesignerTableEdits::InsertCell(const HtmlElement &cell)
{
    const auto offset = runSelTdDialog(m_cellDialog, m_ctx.prompter(), m_ctx.shell.state().UiLanguage);
    if (!offset)
        return;
    const CellPlace place = *offset < 0 ? CellPlace::Before : CellPlace::Behind;
    change(cell, [place](const TableSnapshot &t, const CellAddress &at) { return insertCell(t, at, place); },
           Msg::InvalidSelection);
}

void DesignerTableEdits::SplitCellHorizontally(const HtmlElement &cell)
{
    if (!m_ctx.onDesignerPage() || !isTag(cell.tagName(), "TD"))
        return;
    change(cell, splitCellHorizontally, Msg::InvalidSelection);
}

void DesignerTableEdits::DeleteElement(const HtmlElement &element)
{
    const auto tag = element.tagName();
    const bool cell = isTag(tag, "TD");
    if (cell || isTag(tag, "TR")) {
        const auto table = read(element);
        if (!table)
            return;
        const GridOutcome outcome = cell ? deleteCell(table->snapshot, table->origin)
                                         : deleteRow(table->snapshot, table->origin.group, table->origin.row);
        if (outcome.refusal == GridRefusal::NotRectangular) {
            // The table has gaps already, so there is no whole table to keep: the cell or row
            // simply goes.
            if (element.setOuterText(QString()))
                m_undo.addContentStep(table->table, table->contentBefore);
            return;
        }
        write(*table, outcome, Msg::InvalidSelection);
        return;
    }
    // A whole table (or another element) goes with its content; its parent's content as it was
    // is what Undo needs to bring it back in its place.
    const auto parent = element.parentElement();
    const auto before = parent ? parent->innerHTML() : std::nullopt;
    if (element.setOuterText(QString()) && before)
        m_undo.addContentStep(*parent, *before);
}

std::optional<TextRange> DesignerTableEdits::selectionStart(bool *failed)
{
    *failed = false;
    const auto page = m_ctx.browser.Document();
    if (!page)
        return std::nullopt;
    const Selection selection = page->selection();
    const auto type = selection.type();
    if (!type || (*type != QLatin1String("Text") && *type != QLatin1String("None")))
        return std::nullopt;
    auto range = selection.createTextRange();
    if (!range) {
        *failed = true;
        m_ctx.prompter().error(m_ctx.line(Msg::InvalidSelection));
    }
    return range;
}

std::optional<HtmlElement> DesignerTableEdits::cellOfSelection(int notFoundLine)
{
    bool failed = false;
    const auto range = selectionStart(&failed);
    if (!range)
        return std::nullopt;
    // The engine collapses the range itself: a point in pixels can miss the text on a
    // scrolled page or land on a cell's border.
    range->collapse(true);
    const auto parent = range->parentElement();
    const auto cell = parent ? cellAround(*parent) : std::nullopt;
    if (!cell)
        m_ctx.prompter().information(m_ctx.line(notFoundLine));
    return cell;
}

void DesignerTableEdits::MergeSelectedCells()
{
    bool failed = false;
    const auto range = selectionStart(&failed);
    if (!range)
        return;
    const QString html = range->htmlText().value_or(QString());
    if (html.count(QLatin1String("</tr>"), Qt::CaseInsensitive) >= 2) {
        m_ctx.prompter().error(m_ctx.line(kLineAcrossRows));
        return;
    }
    const qsizetype touched =
        html.count(QLatin1String("</td>"), Qt::CaseInsensitive) + html.count(QLatin1String("</th>"), Qt::CaseInsensitive);
    if (touched < 2) {
        m_ctx.prompter().error(m_ctx.line(kLineSelectTwoTableCells));
        return;
    }
    // The last cell is the one of the first cell's row that holds the selection's end (the end
    // may lie deeper, in a table inside that cell); an end between cells counts the cells.
    const auto page = m_ctx.browser.Document();
    const auto end = page ? page->selection().createTextRange() : std::nullopt;
    const auto endParent = end && end->collapse(false) ? end->parentElement() : std::nullopt;
    range->collapse(true);
    const auto startParent = range->parentElement();
    const auto first = startParent ? cellAround(*startParent) : std::nullopt;
    if (!first) {
        m_ctx.prompter().information(m_ctx.line(kLineNoCellFound));
        return;
    }
    const auto row = first->parentElement();
    const auto lastIndex = row && endParent ? indexInRow(*endParent, *row) : std::nullopt;
    const auto table = read(*first);
    if (!table)
        return;
    const CellAddress from = table->origin;
    CellAddress to = from;
    const TableRow *cells = table->snapshot.row(from.group, from.row);
    const int lastInRow = cells ? int(cells->cells.size()) - 1 : from.cell;
    to.cell = lastIndex && *lastIndex >= 0 ? *lastIndex : std::min(lastInRow, from.cell + int(touched) - 1);
    write(*table, mergeCellsRight(table->snapshot, from, to), kLineMergeFailed);
}

void DesignerTableEdits::MergeCellDown()
{
    if (const auto cell = cellOfSelection(kLineCellNotFound))
        change(*cell, mergeCellDown, kLineMergeFailed);
}

void DesignerTableEdits::SplitCellVertically()
{
    if (const auto cell = cellOfSelection(kLineCellNotFound))
        change(*cell, splitCellVertically, Msg::InvalidSelection);
}

void DesignerTableEdits::InsertTableInDesigner()
{
    QString html = kPlaceholderTable;
    const QString kept = m_ctx.state.KeptElementHtml;
    if (!kept.trimmed().isEmpty() && kept.left(6).toLower() == QLatin1String("<table")) {
        const Answer answer =
            m_ctx.prompter().message(MessageKind::Confirmation, m_ctx.line(kLineInsertKeptTable), Buttons::YesNo);
        if (answer == Answer::Yes) {
            // The table as the engine gave it, when the kept text is still that table's: the
            // compacted text has lost the line breaks between its words.
            const QString &found = m_actions.foundOuterHtml();
            html = (!found.isEmpty() && CompactHtml(found) == kept ? found : kept) + QStringLiteral("\r\n");
        }
    }
    // The paste lands inside the element around the selection: its content as it was is what
    // Undo puts back.
    const auto page = m_ctx.browser.Document();
    const auto range = page ? page->selection().createTextRange() : std::nullopt;
    const auto parent = range ? range->parentElement() : std::nullopt;
    const auto before = parent ? parent->innerHTML() : std::nullopt;
    m_ctx.PasteHtmlAtSelection(html);
    if (before && parent->innerHTML() != before)
        m_undo.addContentStep(*parent, *before);
}

} // namespace korvel
