// Run inside the page of "vlsm show --html" by browser.py: the summary, the schemes, sorting,
// a scheme's folded sections, and whether anything from the file ran.
(function() {
var seen = {};
var table = document.getElementById("schemes");
function names() {
    return Array.prototype.map
        .call(table.tBodies[0].rows,
              function(row) { return row.cells[0].getAttribute("data-sort"); })
        .join("|");
}
seen.summary = document.getElementById("summary").textContent;
seen.schemes = names();
table.tHead.rows[0].cells[0].click();
table.tHead.rows[0].cells[0].click();
seen.byNameDown = names();
var first = table.tBodies[0].rows[0];
seen.folded = first.querySelector("details").open ? "open" : "folded";
seen.tables = Array.prototype.map
                  .call(first.querySelectorAll("caption"), function(c) { return c.textContent; })
                  .join(", ");
seen.descriptions =
    Array.prototype.map
        .call(table.tBodies[0].rows, function(row) { return row.cells[1].textContent; })
        .join("|");
seen.elementsFromFile = table.querySelectorAll("img, script, b").length;
seen.ran = document.documentElement.getAttribute("data-ran") || "nothing";
report(seen);
})();
