#pragma once

namespace quarrow {

// Points, sizes and rectangles in pixels, for the layout every front end
// shares. The names follow the usual widget-toolkit ones, so code moving
// between a front end and the shared layer reads the same; right() and
// bottom() are the last pixel inside, not one past it.

struct Point {
    int x_ = 0;
    int y_ = 0;

    constexpr Point() = default;
    constexpr Point(int x, int y) : x_(x), y_(y) {}
    constexpr int x() const { return x_; }
    constexpr int y() const { return y_; }
    constexpr Point operator+(Point o) const { return {x_ + o.x_, y_ + o.y_}; }
    constexpr Point operator-(Point o) const { return {x_ - o.x_, y_ - o.y_}; }
    constexpr bool operator==(const Point&) const = default;
};

struct Size {
    int width_ = 0;
    int height_ = 0;

    constexpr Size() = default;
    constexpr Size(int width, int height) : width_(width), height_(height) {}
    constexpr int width() const { return width_; }
    constexpr int height() const { return height_; }
    constexpr bool operator==(const Size&) const = default;
};

struct Rect {
    Point top_left_;
    Size size_;

    constexpr Rect() = default;
    constexpr Rect(Point topLeft, Size size) : top_left_(topLeft), size_(size) {}
    constexpr Rect(int x, int y, int width, int height) : top_left_(x, y), size_(width, height) {}

    constexpr Point topLeft() const { return top_left_; }
    constexpr Size size() const { return size_; }
    constexpr int x() const { return top_left_.x(); }
    constexpr int y() const { return top_left_.y(); }
    constexpr int width() const { return size_.width(); }
    constexpr int height() const { return size_.height(); }
    constexpr int left() const { return x(); }
    constexpr int top() const { return y(); }
    constexpr int right() const { return x() + width() - 1; }
    constexpr int bottom() const { return y() + height() - 1; }
    constexpr bool isEmpty() const { return width() <= 0 || height() <= 0; }
    // Rounded down, as a toolkit's integer centre is.
    constexpr Point center() const { return {(left() + right()) / 2, (top() + bottom()) / 2}; }
    constexpr bool contains(Point p) const
    {
        return p.x() >= left() && p.x() <= right() && p.y() >= top() && p.y() <= bottom();
    }
    constexpr bool contains(const Rect& r) const
    {
        return !r.isEmpty() && contains(r.topLeft()) && contains(Point(r.right(), r.bottom()));
    }
    constexpr bool intersects(const Rect& r) const
    {
        return !isEmpty() && !r.isEmpty() && left() <= r.right() && r.left() <= right() && top() <= r.bottom()
            && r.top() <= bottom();
    }
    constexpr Rect adjusted(int dx1, int dy1, int dx2, int dy2) const
    {
        return {x() + dx1, y() + dy1, width() - dx1 + dx2, height() - dy1 + dy2};
    }
    constexpr bool operator==(const Rect&) const = default;
};

} // namespace quarrow
