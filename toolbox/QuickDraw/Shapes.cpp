#include "QuickDraw/Draw.h"
#include "QuickDraw/Recording.h"

#include "tb/QuickDraw.h"

using tb::qd::currentPort;

void EraseRect(const Rect* r) {
    OpaqueGrafPtr* port = currentPort();
    if (!port || !r) return;
    tb::qd::recordRect(port, tb::qd::opEraseRect, *r, port->backColor);
    tb::qd::fillRect(port, *r, port->backColor);
}

void PaintRect(const Rect* r) {
    OpaqueGrafPtr* port = currentPort();
    if (!port || !r) return;
    tb::qd::recordRect(port, tb::qd::opPaintRect, *r, port->foreColor);
    tb::qd::fillRect(port, *r, port->foreColor);
}

void FrameRect(const Rect* r) {
    OpaqueGrafPtr* port = currentPort();
    if (!port || !r) return;
    tb::qd::recordRect(port, tb::qd::opFrameRect, *r, port->foreColor);
    tb::qd::frameRect(port, *r, port->foreColor);
}

void LineTo(short h, short v) {
    OpaqueGrafPtr* port = currentPort();
    if (!port) return;
    tb::qd::drawLine(port, port->pen, Point{v, h}, port->foreColor);
    port->pen = Point{v, h};
}
