#include "options/MemoryPanelValues.h"

namespace {

int validIndex(const QStringList& items, int index) {
    return index >= 0 && index < items.size() ? index : -1;
}

int validState(int state) { return state >= 0 && state <= 2 ? state : 0; }

} // namespace

void MemoryPanelValues::addText(int row, const QString& text) { m_texts[row] = text; }

void MemoryPanelValues::addList(int row, const QStringList& items, int index) {
    m_lists[row] = List{items, validIndex(items, index)};
}

void MemoryPanelValues::addCheck(int row, int state) { m_checks[row] = validState(state); }

QString MemoryPanelValues::text(int row) const {
    const auto it = m_texts.find(row);
    return it == m_texts.end() ? QString() : it->second;
}

void MemoryPanelValues::setText(int row, const QString& text) {
    if (const auto it = m_texts.find(row); it != m_texts.end())
        it->second = text;
}

int MemoryPanelValues::ListIndex(int row) const {
    const auto it = m_lists.find(row);
    return it == m_lists.end() ? -1 : it->second.index;
}

void MemoryPanelValues::setListIndex(int row, int index) {
    if (const auto it = m_lists.find(row); it != m_lists.end())
        it->second.index = validIndex(it->second.items, index);
}

QString MemoryPanelValues::listItem(int row, int index) const {
    const auto it = m_lists.find(row);
    if (it == m_lists.end() || validIndex(it->second.items, index) < 0)
        return {};
    return it->second.items[index];
}

int MemoryPanelValues::listCount(int row) const {
    const auto it = m_lists.find(row);
    return it == m_lists.end() ? 0 : int(it->second.items.size());
}

int MemoryPanelValues::checkState(int row) const {
    const auto it = m_checks.find(row);
    return it == m_checks.end() ? 0 : it->second;
}

void MemoryPanelValues::setCheckState(int row, int state) {
    if (const auto it = m_checks.find(row); it != m_checks.end())
        it->second = validState(state);
}
