// The record of one plot window: its GL context, its map, its plot kind and toggles,
// and the frame between physical coordinates and window pixels.
#pragma once

#include "CoordinateFrame.h"
#include "Map.h"
#include "Toolbox.h"

enum plotEnum : unsigned char {
    cobwebPlot = 1,
    bifurcationPlot = 2,
    densityPlot = 3,
    lyapunovPlot = 4,
    exitTimePlot = 5,
    showAxes = 7,
    showBox = 8,
    showCritical = 9,
};

class PlotData {
public:
    explicit PlotData(WindowRef window);
    ~PlotData();
    PlotData(const PlotData&) = delete;
    PlotData& operator=(const PlotData&) = delete;

    void setDrawable();
    void setCoordinates();
    void setCoordinates(double xmin, double xmax, double ymin, double ymax);
    void getCoordinates(double* xmin, double* xmax, double* ymin, double* ymax);
    void setStdScale();
    void chooseCoordinates();
    void setMap(int n);
    void toggleShow(plotEnum v);
    unsigned char getShow(plotEnum v);
    void setTitle();
    Point windowCoordinates(vect p);
    vect physicalCoordinates(Point pt);

    WindowRef window() { return plotWindow; }
    AGLContext context() { return glContext; }
    Map* map() { return theMap; }
    int mapNumber() { return mapNum; }
    plotEnum getPlotType() { return plotType; }

    // Drawing, in the plot's context.
    void draw(Rect r);
    void plotAxes();
    void drawLine(Point a, Point b);
    void drawLine(vect a, vect b);
    void drawRect(vect p, vect q);
    void drawPoint(double x, double y);

    char xLabelChar() const { return xLabel; }
    char yLabelChar() const { return yLabel; }
    int xLabelFontIndex() const { return xLabelFont; }
    int yLabelFontIndex() const { return yLabelFont; }
    double horizontalScale() const { return xScale; }
    double verticalScale() const { return yScale; }

private:
    Frame frame() const { return Frame{xmin, xmax, ymin, ymax, xScale, yScale}; }

    WindowRef plotWindow;
    AGLContext glContext;
    double xmin;
    double xmax;
    double ymin;
    double ymax;
    char xLabel;
    char yLabel;
    std::int32_t xLabelFont;
    std::int32_t yLabelFont;
    double xScale;
    double yScale;
    Map* theMap;
    std::int32_t mapNum;
    plotEnum plotType;
    std::int32_t showFlags;
};

bool isPlot(WindowRef window);
PlotData* GetPlotData(WindowRef window);
WindowRef FrontPlotWindow();
PlotData* GetPlotData();
WindowRef NextPlotWindow();

void upDatePlot(WindowRef window);
void setBackground(int which);
