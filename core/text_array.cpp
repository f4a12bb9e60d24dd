#include "text_array.h"

#include "fatal_error.h"

#include <utility>

TextArray::TextArray(std::vector<std::optional<Text>> elements)
    : elements_(std::move(elements))
{
}

int TextArray::count() const
{
    return static_cast<int>(elements_.size());
}

const Text& TextArray::operator[](int position) const
{
    static const Text emptyText;
    if (position < 1)
        fatalError("表格位置 " + std::to_string(position) + " 小于 1");
    if (position > count())
        fatalError("表格位置 " + std::to_string(position) + " 大于表格的元素个数 "
                   + std::to_string(count()));
    const std::optional<Text>& element = elements_[static_cast<std::size_t>(position - 1)];
    return element ? *element : emptyText;
}
