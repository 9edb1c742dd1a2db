#pragma once

#include "options/PanelValues.h"

#include <QStringList>

#include <map>

// Panel values held in memory, for code that needs a panel without widgets (the command line,
// tests of the profile and launch code, benchmarks). Follows the same rules as the real panel.
class MemoryPanelValues final : public PanelValues {
public:
    void addText(int row, const QString& text);
    void addList(int row, const QStringList& items, int index);
    void addCheck(int row, int state);

    QString text(int row) const override;
    void setText(int row, const QString& text) override;
    int ListIndex(int row) const override;
    void setListIndex(int row, int index) override;
    QString listItem(int row, int index) const override;
    int listCount(int row) const override;
    int checkState(int row) const override;
    void setCheckState(int row, int state) override;

private:
    struct List {
        QStringList items;
        int index = -1;
    };
    std::map<int, QString> m_texts;
    std::map<int, List> m_lists;
    std::map<int, int> m_checks;
};
