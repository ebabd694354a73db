#include "platform/qt/menu_builder.h"

void FillQMenu(QMenu& target, const Menu& menu) {
    target.clear();
    for (const Menu* item : menu.Items()) {
        if (!item->Visible()) continue;
        if (item->IsSeparator()) {
            target.addSeparator();
            continue;
        }
        QString caption = QString::fromStdString(item->Caption());
        if (!item->Items().empty()) {
            QMenu* submenu = target.addMenu(caption);
            submenu->setEnabled(item->Enabled());
            QObject::connect(submenu, &QMenu::aboutToShow, submenu, [submenu, item] {
                item->Click();
                FillQMenu(*submenu, *item);
            });
            FillQMenu(*submenu, *item);
            continue;
        }
        QAction* action = target.addAction(caption);
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked());
        action->setChecked(item->Checked());
        QObject::connect(action, &QAction::triggered, [item] { item->Click(); });
    }
}
