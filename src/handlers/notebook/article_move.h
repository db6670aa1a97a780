#pragma once

// 向下移动 / 向上移动: the current article changes places with its neighbour in the category.
void move_article_down();
void move_article_up();
