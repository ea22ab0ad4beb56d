#pragma once
// Root of the polymorphic object families (label objects, documents, views).
// Type identity is asked with dynamic_cast; there is no runtime-class registry.

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject();
};

// A place in a sequence that a GetStartPosition / GetNext... pair walks; null ends the walk.
struct AfxPositionTag;
typedef AfxPositionTag* POSITION;
