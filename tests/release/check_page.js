// Put at the end of a guide's page: once it has loaded, lists in a new last element, the
// preformatted "page-check", every picture that did not load, every element that reaches
// past the window's right edge (the outermost of them; what lies in a box that scrolls or
// clips stays inside it), a page wider than the window, and anything the page fetched; or
// "ok".
addEventListener("load", () => {
    const width = document.documentElement.clientWidth;
    const problems = [];
    const name = (e) => e.localName === "img"
                            ? `the picture "${e.alt}"`
                            : `<${e.localName}> "${e.textContent.trim().slice(0, 40)}"`;
    for (const img of document.images) {
        if (!img.complete || img.naturalWidth === 0)
            problems.push(`${name(img)} does not load`);
    }
    const boxed = (e) => {
        for (let box = e.parentElement; box; box = box.parentElement) {
            if (getComputedStyle(box).overflowX !== "visible")
                return true;
        }
        return false;
    };
    const past = new Set();
    for (const e of document.body.querySelectorAll("*")) {
        const right = e.getBoundingClientRect().right;
        if (right > width + 0.5 && !boxed(e)) {
            past.add(e);
            if (!past.has(e.parentElement))
                problems.push(`${name(e)} reaches ${Math.round(right)} px of ${width}`);
        }
    }
    const pageWidth = document.documentElement.scrollWidth;
    if (pageWidth > width)
        problems.push(`the page is ${pageWidth} px wide, the window ${width}`);
    for (const entry of performance.getEntriesByType("resource"))
        problems.push(`it fetches ${entry.name}`);
    const report = document.createElement("pre");
    report.id = "page-check";
    report.textContent = problems.join("\n") || "ok";
    document.body.append(report);
});
