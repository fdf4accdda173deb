#pragma once
// The product's web site: pages shipped beside the program, so the browser
// shows them without a network.
#include <QString>

// The address of the product's start page.
QString productWebAddress();
