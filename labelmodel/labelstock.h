#pragma once
// Placeholder for the label stock classes until they arrive: only what the help lines ask of a stock.
#include "framework/object.h"

class CLabel : public CObject {
public:
    virtual ~CLabel() = default;
    virtual int GetWidth(int part) = 0;
    virtual int GetHeight(int part) = 0;
};
