#pragma once

// 记录功能菜单 > 删除记录: deletes the current article after a question, closes the gap in its
// category's positions and loads the article now at its place.
void delete_article();
// 记录功能菜单 > 记录属性: the current article's stored fields in one message box.
void show_article_properties();
