#pragma once
#define IDP_FAILED_TO_CREATE 102
