#include "framework/object.h"

CObject::~CObject() = default;
