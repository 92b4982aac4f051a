#pragma once

#include <QList>

#include "link/port_lister.h"

// Hands the Port window and the serial line the ports a test sets; counts the listings.
class FakePortLister : public serial::PortLister {
  public:
    QList<serial::PortInfo> list;
    QString folder;
    mutable int listings = 0;

    QList<serial::PortInfo> ports() const override {
        ++listings;
        return list;
    }
    QString stableNameFolder() const override { return folder; }
};
