#pragma once

#include "model/controlStore.h"
#include "osc/oscServerDelegate.h"

#include <QString>

#include <map>
#include <memory>

// Stands in for the application's OSC listener table: one value cell per address, looked up
// by exact address.
class CellTable : public oscServerDelegate {
public:
    controlStore &cell(const QString &address)
    {
        auto &slot = m_cells[address];
        if (!slot) {
            slot = std::make_unique<controlStore>();
            // Unset rather than 0, so that the first write shows.
            slot->setValue(QVariant());
        }
        return *slot;
    }

    void setVal(const QVariant &value, const QString &address) override
    {
        const auto found = m_cells.find(address);
        if (found != m_cells.end())
            found->second->setValue(value);
    }

private:
    std::map<QString, std::unique_ptr<controlStore>> m_cells;
};
