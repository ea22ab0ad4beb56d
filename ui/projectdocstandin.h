#pragma once
// The document class the application's template makes. A plain project document stands in until
// the project document class joins the program; only this header names the class.
#include "framework/doc.h"

class CProjectDocStandIn : public CDocument {};

using ProjectDocument = CProjectDocStandIn;
