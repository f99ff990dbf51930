#include "components/UCommandTable.h"

#include <algorithm>

namespace numora {

CommandRow MenuItem(QString menu, QString caption, QString name, int order, bool separatorBefore) {
    CommandRow r;
    r.menu = std::move(menu);
    r.caption = std::move(caption);
    r.name = std::move(name);
    r.order = order;
    r.separatorBefore = separatorBefore;
    return r;
}

CommandRow ToolButton(QString name, QString hint, int order, bool separatorBefore) {
    CommandRow r;
    r.name = std::move(name);
    r.hint = std::move(hint);
    r.order = order;
    r.separatorBefore = separatorBefore;
    return r;
}

CommandRow SameAs(CommandRow row, QString target, std::function<void()> prelude) {
    row.sameAs = std::move(target);
    row.prelude = std::move(prelude);
    return row;
}

void CommandTable::add(CommandRow row) {
    for (CommandRow& r : rows_)
        if (r.name == row.name) {
            r = std::move(row);
            return;
        }
    rows_.push_back(std::move(row));
}

std::vector<const CommandRow*> CommandTable::menuItems() const {
    std::vector<const CommandRow*> out;
    for (const CommandRow& r : rows_)
        if (!r.isButton()) out.push_back(&r);
    auto menuIndex = [this](const CommandRow* r) {
        const QString top = r->menu.section(u'/', 0, 0);
        const auto i = menus_.indexOf(top);
        return i < 0 ? menus_.size() : i;
    };
    std::stable_sort(out.begin(), out.end(), [&](const CommandRow* a, const CommandRow* b) {
        const auto ma = menuIndex(a);
        const auto mb = menuIndex(b);
        if (ma != mb) return ma < mb;
        return a->order < b->order;
    });
    return out;
}

std::vector<const CommandRow*> CommandTable::buttons() const {
    std::vector<const CommandRow*> out;
    for (const CommandRow& r : rows_)
        if (r.isButton()) out.push_back(&r);
    std::stable_sort(out.begin(), out.end(),
                     [](const CommandRow* a, const CommandRow* b) { return a->order < b->order; });
    return out;
}

const CommandRow* CommandTable::find(const QString& name) const {
    for (const CommandRow& r : rows_)
        if (r.name == name) return &r;
    return nullptr;
}

const CommandRow* CommandTable::target(const CommandRow& row) const {
    const CommandRow* r = &row;
    // A chain of "as" commands ends at a row with its own action; a loop or a missing name ends
    // at nothing, which shows the command disabled.
    for (int hops = 0; r && !r->sameAs.isEmpty(); ++hops) {
        if (hops > 8) return nullptr;
        r = find(r->sameAs);
    }
    return r;
}

bool CommandTable::enabled(const CommandRow& row) const {
    const CommandRow* t = target(row);
    return t && t->action != nullptr;
}

void CommandTable::clear() {
    rows_.clear();
    menus_.clear();
    views = {};
}

CommandTable& Commands() {
    static CommandTable table;
    return table;
}

} // namespace numora
